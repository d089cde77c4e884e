// The headless stand-in simulator: implements the host interface, loads vessel modules at run
// time, plays the crew add-on's part, reads and writes scenario files and runs scripts.
// One Simulator is current at a time; the host's free functions act on it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/HostApi.h"
#include "sim/host-side/HostCallCounter.h"
#include "sim/host-side/HostFaults.h"
#include "sim/host-side/HudSketchpad.h"
#include "sim/host-side/LibraryCallLog.h"
#include "sim/text/InputError.h"

namespace sim {

struct Script;

struct SimulatorOptions {
    // Root folder (the simulator's working folder). Empty: a fresh temporary copy of the sample
    // root in examples/root, removed when the simulator ends.
    std::filesystem::path root;
    unsigned seed = 1;
    double step = 0.02;
    // Where transcript lines go as they happen, besides Transcript(); may be null.
    std::ostream* transcript = nullptr;
    // Where a scenario load's warnings go, one line each; may be null.
    std::ostream* warnings = &std::cerr;
    // Folder against which relative paths of a script's `save` resolve. Empty: the current
    // directory, which is the root while the simulator exists.
    std::filesystem::path baseDirectory;
    // Whether a vessel put in free flight inside its reference body is moved out of it, as the
    // simulator moves it (sim/world/Surface.h, MoveOutOfBody); vesselsim always does. Off, the
    // bodies' centres are free space, where tests build their scenes.
    bool moveOutOfBodies = false;
};

class Simulator {
  public:
    explicit Simulator(SimulatorOptions options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // The simulator the host functions act on.
    static Simulator* Current();

    // The root folder in use.
    const std::filesystem::path& Root() const;

    // Registers a vessel module library for a class; loaded at once (throws InputError).
    void RegisterModule(const std::string& className, const std::filesystem::path& library);

    // Scenario files (throw InputError on bad input, naming file and line).
    void LoadScenario(const std::filesystem::path& file);
    void SaveScenario(const std::filesystem::path& file) const;
    // What the last load had to assume, one "FILE:LINE: message" each: the simulator loads on
    // past what it cannot read whole.
    const std::vector<std::string>& LoadWarnings() const;
    // The HUD mode the last scenario opened with (its BEGIN_HUD section's TYPE); empty when it
    // has no such section, which the simulator opens with the HUD off. The stand-in draws every
    // vessel's HUD either way.
    const std::string& HudMode() const;

    // Scripts: a whole file, or one command line as a script holds it. Errors throw InputError.
    void RunScript(const std::filesystem::path& file);
    void RunScript(const Script& script);
    void Execute(const std::string& commandLine);

    // Vessels. Creation runs the class set-up; a null status means at the origin, at rest. A
    // refusal (a bad or taken name, no class, no vessel made by the class's module) throws
    // InputError.
    OBJHANDLE CreateVessel(const std::string& name, const std::string& className,
                           const VESSELSTATUS* status = nullptr);
    // Removes the vessel at once, between frames; a module's oapiDeleteVessel only marks it
    // for removal at the end of the frame, as in the simulator.
    bool DeleteVessel(OBJHANDLE vessel);
    OBJHANDLE FindVessel(const std::string& name) const;
    VESSEL* Interface(OBJHANDLE vessel) const;

    // Time.
    void Frame();              // one frame of the current step
    void Run(double seconds);  // round(seconds / step) frames, at least one
    void SetStep(double seconds);
    void SetTimeAcceleration(double factor);
    double SimTime() const;
    // The system time oapiGetSysTime reports from now on, seconds; frames advance it.
    void SetSystemTime(double seconds);

    // What the pilot sees and does.
    int PressKey(const std::string& vessel, const std::string& keyStroke);  // press, then release
    void SetFocus(OBJHANDLE vessel);
    OBJHANDLE Focus() const;
    std::string DebugLine() const;
    // The text drawn in the vessel's most recent HUD frame; empty when none.
    std::string HudText(const std::string& vessel) const;

    // The focus vessel's HUD texts of the last frame, with their positions, and the surface they
    // were drawn on.
    std::vector<HudDrawCall> HudDrawCalls() const;
    const os::HudCanvas& HudCanvas() const;

    // The script's commands on named vessels; unknown names and refusals throw InputError.
    void Dock(const std::string& vessel, unsigned port, const std::string& other,
              unsigned otherPort);
    void Undock(const std::string& vessel, unsigned port);
    // Puts the vessel at `position` in the other's frame, with the other's orientation and
    // velocity. A landed vessel stays landed, at the point where it was put.
    void Place(const std::string& vessel, const std::string& other, const VECTOR3& position);
    // The crew vessel walks to the centre of the ship's published airlock box and gets, once, its
    // "U-Mm" attachment.
    void Walk(const std::string& crew, const std::string& ship);
    // The crew vessel gets, once, the "U-Mm" attachment a walk gives it, where it stands.
    void GiveMemberAttachment(const std::string& crew);
    void SetAngularVelocity(const std::string& vessel, const VECTOR3& radiansPerSecond);
    void SetThrust(const std::string& vessel, int groupType, double level);
    // Adds the vessel's `print` line to the transcript.
    void Print(const std::string& vessel);

    // One vessel as `print` shows it.
    nlohmann::json Describe(const std::string& vessel) const;
    // The status the vessel was created with by oapiCreateVessel or CreateVessel; none for a
    // vessel of a scenario.
    std::optional<VESSELSTATUS> CreationStatus(const std::string& vessel) const;
    // Names of all vessels in index order.
    std::vector<std::string> VesselNames() const;
    // The lines the vessel's clbkSaveState writes now, "KEY value" each.
    std::vector<std::string> StateLines(const std::string& vessel) const;
    // The lines `write` writes through oapiWriteScenario_string to the scenario file handle it is
    // given, as a vessel's save does.
    std::vector<std::string> CaptureScenarioLines(const std::function<void(FILEHANDLE)>& write);

    // Calls into the host made by modules and the crew add-on since the last reset, by kind;
    // counted over the process, whichever simulator was current. The total alone allocates
    // nothing.
    HostCallCounts HostCalls() const;
    std::uint64_t HostCallTotal() const;
    void ResetHostCalls();

    // Faults injected into the host functions, off by default.
    HostFaults& Faults();

    // Every transcript line so far, without time stamps.
    const std::vector<std::string>& Transcript() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace sim
