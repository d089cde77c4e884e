// The simulation the host functions act on: the vessel list with constant-time look-up by index,
// name and handle, the registered vessel modules, focus, time, the debug line, the HUD surface
// and the transcript. As in the simulator, deleting a vessel only marks it: it stays listed,
// found by name, keeps its interface and gets its callbacks until the frame's post-step is over;
// then every marked vessel is removed (its slot in the index list taken by the last vessel) and
// its object destroyed with the module's ovcExit. A frame phase walks the vessels that existed
// when it began; vessels created meanwhile join the next phase.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/HostApi.h"
#include "sim/host-side/HostFaults.h"
#include "sim/host-side/HudSketchpad.h"
#include "sim/host-side/ModuleLibrary.h"
#include "sim/world/KeyStroke.h"
#include "sim/world/LoadContext.h"
#include "sim/world/NoCaseKey.h"
#include "sim/world/SimVessel.h"
#include "sim/world/Transcript.h"
#include "sim/world/VesselName.h"

namespace sim {

// A vessel block being written: the FILEHANDLE of clbkSaveState, one "KEY value" per line.
struct ScenarioLineSink {
    std::vector<std::string> lines;
};

class World {
  public:
    World(unsigned seed, double step);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // The world the host functions act on, and the vessel a handle stands for (null when there
    // is no world or the handle is not a live vessel).
    static World* Current() { return current_; }
    static void SetCurrent(World* world) { current_ = world; }
    static SimVessel* LiveVessel(const void* handle) {
        // Every host call asks this first, mostly about the vessel whose callback runs or the
        // one a scan is looking at: those two are known without a look-up.
        World* world = current_;
        if (world == nullptr || handle == nullptr) return nullptr;
        if (handle == world->lastLive_ || handle == world->walkedLive_) {
            return static_cast<SimVessel*>(const_cast<void*>(handle));
        }
        return world->LookUpLive(handle);
    }
    // The motion of the vessel a handle stands for, null as LiveVessel. The vessel VesselAt gave
    // last is answered from the world's table of motion, without reading the vessel's record.
    static const VesselMotion* LiveMotion(const void* handle) {
        World* world = current_;
        if (world != nullptr && handle != nullptr && handle == world->walkedLive_) {
            return &world->motion_[world->walkedIndex_];
        }
        const SimVessel* vessel = LiveVessel(handle);
        return vessel == nullptr ? nullptr : vessel->motion;
    }
    // The vessel at `index` in creation order, or null; LiveVessel and LiveMotion then know it
    // without a look-up, since a caller walking the vessels asks about it next.
    SimVessel* VesselAt(std::size_t index) {
        if (index >= vessels_.size()) return nullptr;
        walkedLive_ = vessels_[index];
        walkedIndex_ = index;
        return walkedLive_;
    }

    // Vessel modules by class name. Throws InputError when the library cannot be loaded.
    void RegisterModule(const std::string& className, const std::filesystem::path& library);
    // Whether a module may create vessels of the class: it has a module registered (the
    // stand-in's installation of a module class) or a configuration file in the root folder
    // (the current directory), as the simulator requires.
    bool ClassInstalled(const std::string& className) const;
    // How often the library of the class's module has been loaded for vessels; 0 without one.
    int ModuleLoads(const std::string& className) const;

    // Vessels.
    const std::vector<SimVessel*>& Vessels() const { return vessels_; }
    // The vessel of that name, letter case ignored.
    SimVessel* Find(std::string_view name) const;
    bool IsLive(const void* handle) const { return live_.count(handle) != 0; }
    // Creates a vessel from a state (ovcInit, class set-up, the state, clbkPostCreation).
    // A refusal (a bad or taken name, no class, no vessel made) throws InputError.
    SimVessel* CreateVessel(const std::string& name, const std::string& className,
                            const VESSELSTATUS& status);
    // Creates a vessel from scenario lines (class set-up, clbkLoadStateEx, clbkPostCreation).
    SimVessel* CreateVesselFromScenario(const std::string& name, const std::string& className,
                                        ScenarioLineSource& source);
    // Marks the vessel for removal at the end of the frame; the focus then goes to
    // `alternativeFocus` when that still exists.
    bool DeleteVessel(SimVessel* vessel, SimVessel* alternativeFocus);
    // Removes the marked vessels, as the simulator does after the post-step of every frame.
    void KillVessels();
    // Removes one vessel between frames (the script's and the tests' deletion).
    void RemoveAtOnce(SimVessel* vessel);
    // Puts every landed vessel where its spot is now (after the time changed between frames).
    void FollowSurfaces();

    // Celestial bodies, known by name (letter case ignored): the Sol system's and every reference
    // body a vessel names. A body's handle is no vessel's.
    const void* BodyHandle(std::string_view name);
    const void* FindBody(std::string_view name) const;
    const std::string* BodyName(const void* handle) const;

    // Focus.
    SimVessel* Focus() const { return focus_; }
    SimVessel* SetFocus(SimVessel* vessel);  // returns the vessel that had it

    // Time.
    void Frame();
    double step = 0.02;
    double timeAcceleration = 1.0;
    double simTime = 0.0;
    double simStep = 0.0;
    double mjd = kJ2000Mjd;
    // Sets the date (a scenario's); frames advance it.
    void SetDate(double date) {
        mjd = date;
        surfaceEpoch_ = (date - kJ2000Mjd) * kSecondsPerDay - simTime;
    }
    // Seconds since MJD 51544.5, by which the bodies' surfaces have turned: counted from the
    // date set and the simulation time since, not from the date summed up frame by frame.
    double SurfaceSeconds() const { return surfaceEpoch_ + simTime; }
    static constexpr double kJ2000Mjd = 51544.5;
    static constexpr double kSecondsPerDay = 86400.0;
    double sysTime = 0.0;
    // Whether states in free flight inside a body are moved out of it (MoveOutOfBody).
    bool moveOutOfBodies = true;
    std::string system = "Sol";
    // The HUD mode the loaded scenario opens with; empty: none (the simulator's HUD is off).
    std::string hudMode;
    double Rand();

    // Pilot input: press and release; the press's result.
    int PressKey(SimVessel* vessel, const KeyStroke& key);

    // Docking; a refusal throws InputError with the reason. Docking a docked pair again, or
    // undocking a free port, does nothing.
    void Dock(SimVessel* vessel, std::size_t port, SimVessel* other, std::size_t otherPort);
    void Undock(SimVessel* vessel, std::size_t port);

    // Scenario state of one vessel as its clbkSaveState writes it.
    std::vector<std::string> SaveState(SimVessel* vessel);
    ScenarioLineSink* activeSink = nullptr;
    // The scenario load in progress; the module's ParseScenarioLineEx reads into it.
    LoadContext loading;

    // Output.
    char* DebugString() { return debugLine_; }
    std::string_view DebugLine() const;
    void CheckDebugLine();  // adds "debug: ..." when the line changed
    void Log(std::string line) { transcript.Add(simTime, std::move(line)); }
    Transcript transcript;
    HudSketchpad hud;
    HostFaults faults;

  private:
    void StandOnSurface(SimVessel& vessel);
    SimVessel* BeginVessel(const std::string& name, const std::string& className);
    void RunStepPhase(bool pre, double dt);
    void DrawFocusHud();
    void Remove(std::size_t index);
    // Logs the removal, hands the focus on and destroys the objects.
    void Finish(const std::vector<SimVessel*>& doomed);
    void DestroyObject(SimVessel* vessel);
    // A vessel object made in the storage of the vessel destroyed last, when there is one: as
    // in the simulator, whose allocator hands a new vessel a deleted one's address (its handle)
    // at once, so that every session meets reused handles.
    SimVessel* NewVesselObject();
    void FreeVesselObject(SimVessel* vessel);

    SimVessel* LookUpLive(const void* handle);

    // The vessel just put at the end of vessels_ moves its motion into the table; the one taken
    // out of it takes its motion back into its own record.
    void JoinMotionTable(SimVessel* vessel);
    void LeaveMotionTable(SimVessel* vessel, std::size_t index);

    // Takes the vessel out of the live set (and out of the look-up cache).
    void Forget(SimVessel* vessel);

    static World* current_;
    // Vessels LiveVessel knows without a hash look-up, each live or null: the one it found last
    // (callbacks ask about the same vessel many times in a row) and the one VesselAt gave last
    // (a caller walking the vessels asks about each, between questions about its own vessel).
    SimVessel* lastLive_ = nullptr;
    SimVessel* walkedLive_ = nullptr;
    std::size_t walkedIndex_ = 0;  // walkedLive_'s index in vessels_
    std::vector<std::unique_ptr<ModuleLibrary>> libraries_;
    std::unordered_map<std::string, ModuleLibrary*> classModules_;
    std::vector<SimVessel*> vessels_;
    // Storage of destroyed vessel objects, the most recently freed last (NewVesselObject).
    std::vector<void*> freedVessels_;
    // The motion of each vessel of vessels_, at the same index: a frame's pass over every
    // vessel's motion reads one array, not one record here and one there. Each vessel's `motion`
    // points at its entry (JoinMotionTable, LeaveMotionTable).
    std::vector<VesselMotion> motion_;
    // Beside each vessel of vessels_, the object whose step callbacks a frame phase calls (null
    // for vessels without a module): a phase reads nothing of the vessels themselves.
    std::vector<VESSEL2*> stepCallbacks_;
    // The indices of stepCallbacks_ that hold callbacks, in order; made anew after a change.
    std::vector<std::size_t> stepOrder_;
    bool stepOrderKnown_ = false;
    // Names are found ignoring letter case, as in the simulator; two vessels' names never differ
    // in case alone.
    std::unordered_map<std::string_view, SimVessel*, NoCaseHash, NoCaseEqual> byName_;
    std::unordered_set<const void*> live_;
    std::size_t marked_ = 0;  // vessels waiting for removal
    std::unordered_map<std::string, std::unique_ptr<std::string>, NoCaseHash, NoCaseEqual> bodies_;
    std::unordered_set<const void*> bodyHandles_;
    SimVessel* focus_ = nullptr;
    double surfaceEpoch_ = 0.0;           // SurfaceSeconds() at simulation time 0
    std::vector<SimVessel*> touchdowns_;  // of this frame; kept for its storage
    std::vector<SimVessel*> standing_;    // landed through this frame's motion; likewise
    std::mt19937_64 random_;
    char debugLine_[kDebugStringSize] = {};
    std::string lastDebugLine_;
};

}  // namespace sim
