#include "sim/world/World.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "host/CrewAddon.h"
#include "host/VectorMath.h"
#include "sim/host-side/CrewAddonVessel.h"
#include "sim/text/InputError.h"
#include "sim/text/TextParsing.h"
#include "sim/world/ClassConfig.h"
#include "sim/world/RigidBodyMotion.h"
#include "sim/world/StatusEncoding.h"
#include "sim/world/Surface.h"

namespace sim {

using namespace vector_math;
namespace {

// What the host tells a vessel about the HUD it draws.
constexpr HUDPAINTSPEC kHudPaintSpec{800, 600, 400, 300, 10.0, 6};
constexpr int kHudMode = 1;
constexpr int kFlightModel = 1;
// The bodies of the simulator's Sol system.
constexpr const char* kSolBodies[] = {
    "Sun",     "Mercury", "Venus",  "Earth",    "Moon",     "Mars",    "Phobos",  "Deimos",
    "Jupiter", "Io",      "Europa", "Ganymede", "Callisto", "Saturn",  "Mimas",   "Enceladus",
    "Tethys",  "Dione",   "Rhea",   "Titan",    "Iapetus",  "Uranus",  "Miranda", "Ariel",
    "Umbriel", "Titania", "Oberon", "Neptune",  "Triton",   "Proteus", "Nereid",
};

}  // namespace

World* World::current_ = nullptr;

World::World(unsigned seed, double initialStep) : step(initialStep), random_(seed) {
    lastDebugLine_.reserve(kDebugStringSize);
    for (const char* body : kSolBodies) BodyHandle(body);
}

World::~World() {
    // Every vessel's object goes (the module's ovcExit) before any library is unloaded.
    // No transcript lines and no focus changes while the world closes.
    focus_ = nullptr;
    std::vector<SimVessel*> doomed;
    doomed.swap(vessels_);
    stepCallbacks_.clear();
    stepOrder_.clear();
    byName_.clear();
    live_.clear();
    lastLive_ = nullptr;
    walkedLive_ = nullptr;
    for (SimVessel* vessel : doomed) vessel->marked = true;
    for (SimVessel* vessel : doomed) DestroyObject(vessel);
    if (current_ == this) current_ = nullptr;
    classModules_.clear();
    libraries_.clear();
    // Storage of SimVessel objects, freed as new allocates it.
    for (void* storage : freedVessels_) ::operator delete(storage);
}

SimVessel* World::LookUpLive(const void* handle) {
    if (!IsLive(handle)) return nullptr;
    lastLive_ = static_cast<SimVessel*>(const_cast<void*>(handle));
    return lastLive_;
}

void World::JoinMotionTable(SimVessel* vessel) {
    const VesselMotion* before = motion_.data();
    motion_.push_back(*vessel->motion);
    if (motion_.data() == before) {
        vessel->motion = &motion_.back();
        return;
    }
    for (std::size_t i = 0; i < motion_.size(); ++i) vessels_[i]->motion = &motion_[i];
}

void World::LeaveMotionTable(SimVessel* vessel, std::size_t index) {
    vessel->ownMotion = *vessel->motion;
    vessel->motion = &vessel->ownMotion;
    // As vessels_: the last entry moves into the slot.
    motion_[index] = motion_.back();
    motion_.pop_back();
}

void World::Forget(SimVessel* vessel) {
    live_.erase(vessel);
    if (lastLive_ == vessel) lastLive_ = nullptr;
    if (walkedLive_ == vessel) walkedLive_ = nullptr;
}

void World::RegisterModule(const std::string& className, const std::filesystem::path& library) {
    if (className.empty()) throw InputError("a module needs a class name");
    libraries_.push_back(std::make_unique<ModuleLibrary>(library));
    classModules_[className] = libraries_.back().get();
}

bool World::ClassInstalled(const std::string& className) const {
    return classModules_.count(className) != 0 ||
           !FindClassConfig(std::filesystem::current_path(), className).empty();
}

int World::ModuleLoads(const std::string& className) const {
    const auto module = classModules_.find(className);
    return module == classModules_.end() ? 0 : module->second->Loads();
}

SimVessel* World::Find(std::string_view name) const {
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : found->second;
}

const void* World::BodyHandle(std::string_view name) {
    const void* known = FindBody(name);
    if (known != nullptr) return known;
    auto body = std::make_unique<std::string>(name);
    const void* handle = body.get();
    bodies_.emplace(std::string(name), std::move(body));
    bodyHandles_.insert(handle);
    return handle;
}

const void* World::FindBody(std::string_view name) const {
    const auto found = bodies_.find(std::string(name));
    return found == bodies_.end() ? nullptr : found->second.get();
}

const std::string* World::BodyName(const void* handle) const {
    if (handle == nullptr || bodyHandles_.count(handle) == 0) return nullptr;
    return static_cast<const std::string*>(handle);
}

SimVessel* World::BeginVessel(const std::string& name, const std::string& className) {
    if (const auto fault = VesselNameFault(name)) throw InputError(*fault);
    if (className.empty()) throw InputError("vessel " + name + " has no class");
    if (Find(name) != nullptr) throw InputError("a vessel named " + name + " exists already");
    SimVessel* vessel = NewVesselObject();
    vessel->name = name;
    vessel->className = className;
    const auto module = classModules_.find(className);
    if (module != classModules_.end()) {
        vessel->kind = VesselKind::Module;
        vessel->module = module->second;
    } else if (className == crew_addon::kCrewClassName) {
        vessel->kind = VesselKind::CrewAddon;
    }
    vessels_.push_back(vessel);
    stepCallbacks_.push_back(nullptr);
    JoinMotionTable(vessel);
    byName_.emplace(vessel->name, vessel);
    live_.insert(vessel);

    switch (vessel->kind) {
        case VesselKind::Module:
            vessel->vesselInterface = vessel->module->CreateVessel(vessel, kFlightModel);
            break;
        case VesselKind::CrewAddon:
            vessel->vesselInterface =
                &vessel->builtInInterface.emplace<CrewAddonVessel>(vessel, kFlightModel);
            break;
        case VesselKind::Inert:
            vessel->vesselInterface =
                &vessel->builtInInterface.emplace<InertVessel>(vessel, kFlightModel);
            break;
    }
    if (vessel->vesselInterface == nullptr) {
        Forget(vessel);
        byName_.erase(vessel->name);
        // Still the last: nothing that ovcInit may have done removes a vessel.
        LeaveMotionTable(vessel, vessels_.size() - 1);
        vessels_.pop_back();
        stepCallbacks_.pop_back();
        FreeVesselObject(vessel);
        throw InputError("the module of class " + className + " made no vessel for " + name);
    }
    if (vessel->kind == VesselKind::Module) {
        stepCallbacks_.back() = static_cast<VESSEL2*>(vessel->vesselInterface);
        stepOrderKnown_ = false;
    }
    Log("created " + name + " " + className);
    static_cast<VESSEL2*>(vessel->vesselInterface)->clbkSetClassCaps(nullptr);
    return vessel;
}

SimVessel* World::CreateVessel(const std::string& name, const std::string& className,
                               const VESSELSTATUS& status) {
    SimVessel* vessel = BeginVessel(name, className);
    // The simulator applies the state itself; the module's clbkSetStateEx is not called.
    vessel->creationStatus = std::make_unique<VESSELSTATUS>(status);
    ApplyStatus(*this, *vessel, status);
    if (vessel->kind == VesselKind::CrewAddon) StandOnSurface(*vessel);
    static_cast<VESSEL2*>(vessel->vesselInterface)->clbkPostCreation();
    if (focus_ == nullptr) SetFocus(vessel);
    return vessel;
}

SimVessel* World::CreateVesselFromScenario(const std::string& name, const std::string& className,
                                           ScenarioLineSource& source) {
    SimVessel* vessel = BeginVessel(name, className);
    auto* callbacks = static_cast<VESSEL2*>(vessel->vesselInterface);
    ScenarioLineSource* outer = loading.activeSource;
    loading.activeSource = &source;
    VESSELSTATUS status{};
    callbacks->clbkLoadStateEx(&source, &status);
    loading.activeSource = outer;
    if (vessel->motion->landed) {
        // Standing upright at its POS and HEADING; RPOS and AROT lines do not move it. A
        // module's vessel rests on its touchdown points, whatever its ALT line said.
        const SurfaceBody* body = SurfaceOf(*vessel);
        if (body != nullptr && vessel->kind == VesselKind::Module) {
            SetAltitude(*vessel, RestingAltitude(*vessel, *body));
        }
        vessel->surfaceRotation = UprightOnSurface(vessel->spot);
        FollowSurface(*this, *vessel);
    } else {
        MoveOutOfBody(*this, *vessel);
    }
    callbacks->clbkPostCreation();
    return vessel;
}

bool World::DeleteVessel(SimVessel* vessel, SimVessel* alternativeFocus) {
    if (vessel == nullptr) return false;
    if (!vessel->marked) ++marked_;
    vessel->marked = true;
    vessel->focusAfterRemoval = alternativeFocus;
    return true;
}

void World::KillVessels() {
    if (marked_ == 0) return;
    marked_ = 0;
    // From the end down: the vessel that takes a removed one's slot has been looked at already.
    std::vector<SimVessel*> doomed;
    for (std::size_t i = vessels_.size(); i-- > 0;) {
        if (!vessels_[i]->marked) continue;
        doomed.push_back(vessels_[i]);
        Remove(i);
    }
    std::reverse(doomed.begin(), doomed.end());
    Finish(doomed);
}

void World::RemoveAtOnce(SimVessel* vessel) {
    if (vessel == nullptr || !IsLive(vessel)) return;
    if (!vessel->marked) {
        vessel->marked = true;
        vessel->focusAfterRemoval = nullptr;
    } else {
        --marked_;
    }
    Remove(static_cast<std::size_t>(std::find(vessels_.begin(), vessels_.end(), vessel) -
                                    vessels_.begin()));
    Finish({vessel});
}

void World::Finish(const std::vector<SimVessel*>& doomed) {
    for (SimVessel* vessel : doomed) {
        Log("deleted " + vessel->name);
        if (focus_ != vessel) continue;
        focus_ = nullptr;
        SimVessel* alternative = vessel->focusAfterRemoval;
        SimVessel* next = (alternative != nullptr && IsLive(alternative))
                              ? alternative
                              : (vessels_.empty() ? nullptr : vessels_.front());
        if (next != nullptr) SetFocus(next);
    }
    for (SimVessel* vessel : doomed) DestroyObject(vessel);
}

void World::Remove(std::size_t index) {
    SimVessel* vessel = vessels_[index];
    Forget(vessel);
    byName_.erase(vessel->name);
    // As the simulator's vessel list: the last vessel moves into the slot.
    LeaveMotionTable(vessel, index);
    vessels_[index] = vessels_.back();
    vessels_.pop_back();
    if (index < vessels_.size()) {
        vessels_[index]->motion = &motion_[index];
        if (walkedLive_ == vessels_[index]) walkedIndex_ = index;
    }
    stepCallbacks_[index] = stepCallbacks_.back();
    stepCallbacks_.pop_back();
    stepOrderKnown_ = false;
    for (const auto& dock : vessel->docks) {
        if (dock->mate != nullptr && dock->matePort < dock->mate->docks.size()) {
            dock->mate->docks[dock->matePort]->mate = nullptr;
        }
        dock->mate = nullptr;
    }
}

void World::DestroyObject(SimVessel* vessel) {
    if (vessel->kind == VesselKind::Module) vessel->module->DestroyVessel(vessel->vesselInterface);
    FreeVesselObject(vessel);  // with the interface object of a built-in class
}

SimVessel* World::NewVesselObject() {
    if (freedVessels_.empty()) return new SimVessel();
    void* storage = freedVessels_.back();
    freedVessels_.pop_back();
    return ::new (storage) SimVessel();
}

void World::FreeVesselObject(SimVessel* vessel) {
    vessel->~SimVessel();
    freedVessels_.push_back(vessel);
}

SimVessel* World::SetFocus(SimVessel* vessel) {
    SimVessel* previous = focus_;
    if (vessel == nullptr || vessel == previous || !IsLive(vessel)) return previous;
    focus_ = vessel;
    if (previous != nullptr && previous->kind == VesselKind::Module) {
        static_cast<VESSEL2*>(previous->vesselInterface)->clbkFocusChanged(false, vessel, previous);
    }
    if (vessel->kind == VesselKind::Module) {
        static_cast<VESSEL2*>(vessel->vesselInterface)->clbkFocusChanged(true, vessel, previous);
    }
    return previous;
}

void World::Frame() {
    const double dt = step;
    simStep = dt;
    RunStepPhase(true, dt);
    touchdowns_.clear();
    standing_.clear();
    const std::size_t count = vessels_.size();
    // One pass over the table of motion: the record of a vessel is read only when the vessel
    // stands on a surface, thrusts, turns or moves.
    for (std::size_t i = 0; i < count; ++i) {
        VesselMotion& motion = motion_[i];
        if (AtRest(motion)) continue;  // it stays where it is
        if (motion.landed) {
            SimVessel* vessel = vessels_[i];
            // As in the simulator, engines that engage take a landed vessel into free flight.
            if (!AnyThrusterFiring(*vessel)) {
                standing_.push_back(vessel);
                continue;
            }
            Log("liftoff " + vessel->name + " from " + vessel->referenceBody.Name() + " at " +
                SpotText(*vessel));
            motion.landed = false;
            vessel->surfaceLines.clear();
        }
        const VECTOR3 from = motion.pos;
        IntegrateMotion(motion, *vessels_[i], dt);
        if (IsZero(Sub(motion.pos, from))) continue;  // no path to meet a surface on
        SimVessel* vessel = vessels_[i];
        const SurfaceBody* body = vessel->referenceBody.Surface();
        VECTOR3 ground{};
        if (body != nullptr && FirstPointOnSphere(from, motion.pos, body->meanRadius, ground)) {
            motion.pos = ground;
            touchdowns_.push_back(vessel);
        }
    }
    simTime += dt;
    mjd += dt / kSecondsPerDay;
    sysTime += dt / timeAcceleration;
    for (SimVessel* vessel : standing_) FollowSurface(*this, *vessel);
    for (SimVessel* vessel : touchdowns_) {
        const SurfaceBody& body = *SurfaceOf(*vessel);
        LandBelow(*this, *vessel, body,
                  vessel->kind == VesselKind::Module ? RestingAltitude(*vessel, body) : 0.0);
        Log("touchdown " + vessel->name + " on " + vessel->referenceBody.Name() + " at " +
            SpotText(*vessel));
    }
    RunStepPhase(false, dt);
    KillVessels();
    DrawFocusHud();
    CheckDebugLine();
}

void World::FollowSurfaces() {
    for (SimVessel* vessel : vessels_) {
        if (vessel->motion->landed) FollowSurface(*this, *vessel);
    }
}

// What the add-on's crew vessels do near the ground: one made in free flight less than
// kCrewStepDownHeight above or below a surface stands on it, turned to the heading it was made
// with. Where the world moves vessels out of bodies, one made below the surface has been moved
// out already (MoveOutOfBody), as in the simulator.
void World::StandOnSurface(SimVessel& vessel) {
    const SurfaceBody* body = SurfaceOf(vessel);
    if (vessel.motion->landed || body == nullptr) return;
    const double height = Length(vessel.motion->pos) - body->meanRadius;
    if (!(std::fabs(height) < kCrewStepDownHeight)) return;
    LandBelow(*this, vessel, *body, kCrewStandingAltitude);
    Log(vessel.name + " stands on " + vessel.referenceBody.Name() + " at " + SpotText(vessel));
}

void World::RunStepPhase(bool pre, double dt) {
    // No vessel leaves the list during a phase; vessels created meanwhile wait for the next one.
    const std::size_t count = stepCallbacks_.size();
    if (!stepOrderKnown_) {
        stepOrder_.clear();
        for (std::size_t i = 0; i < count; ++i) {
            if (stepCallbacks_[i] != nullptr) stepOrder_.push_back(i);
        }
        stepOrderKnown_ = true;
    }
    // A phase's own vessels only: the order is not read again until the phase is over.
    const std::size_t stepping = stepOrder_.size();
    for (std::size_t k = 0; k < stepping; ++k) {
        const std::size_t i = stepOrder_[k];
        VESSEL2* callbacks = stepCallbacks_[i];
        lastLive_ = vessels_[i];  // live: its callbacks ask about it without a look-up
        if (pre) {
            callbacks->clbkPreStep(simTime, dt, mjd);
        } else {
            callbacks->clbkPostStep(simTime, dt, mjd);
        }
    }
}

void World::DrawFocusHud() {
    SimVessel* vessel = focus_;
    if (vessel == nullptr) return;
    hud.BeginFrame();
    // As in the simulator, a vessel draws on the HUD through the Sketchpad callback of VESSEL3
    // and later; a VESSEL2's device-context callback is never called.
    if (vessel->vesselInterface->Version() >= 2) {
        static_cast<VESSEL3*>(vessel->vesselInterface)->clbkDrawHUD(kHudMode, &kHudPaintSpec, &hud);
    }
    if (hud.Drew()) {
        const std::string_view text = hud.JoinedText();
        if (!vessel->hudHasText || vessel->hudText != text) {
            vessel->hudText.assign(text);
            vessel->hudHasText = true;
            Log("hud " + vessel->name + ": " + vessel->hudText);
        }
    } else if (vessel->hudHasText) {
        vessel->hudHasText = false;
        Log("hud " + vessel->name + ": -");
    }
}

double World::Rand() { return static_cast<double>(random_() >> 11) * 0x1.0p-53; }

int World::PressKey(SimVessel* vessel, const KeyStroke& key) {
    if (vessel->kind == VesselKind::Inert) return 0;
    char keyboard[256] = {};
    if (key.shift) keyboard[kKeyLeftShift] = static_cast<char>(0x80);
    if (key.ctrl) keyboard[kKeyLeftControl] = static_cast<char>(0x80);
    if (key.alt) keyboard[kKeyLeftAlt] = static_cast<char>(0x80);
    const std::size_t code = key.key & 0xFF;
    auto* callbacks = static_cast<VESSEL2*>(vessel->vesselInterface);
    keyboard[code] = static_cast<char>(0x80);
    const int result = callbacks->clbkConsumeBufferedKey(key.key, true, keyboard);
    keyboard[code] = 0;
    callbacks->clbkConsumeBufferedKey(key.key, false, keyboard);
    return result;
}

namespace {

// Tells a vessel's module that its port was docked to `mate` or (null) undocked.
void NotifyDockEvent(SimVessel* vessel, std::size_t port, OBJHANDLE mate) {
    if (vessel->kind != VesselKind::Module) return;
    static_cast<VESSEL2*>(vessel->vesselInterface)->clbkDockEvent(static_cast<int>(port), mate);
}

}  // namespace

void World::Dock(SimVessel* vessel, std::size_t port, SimVessel* other, std::size_t otherPort) {
    if (vessel == other) throw InputError("vessel " + vessel->name + " cannot dock to itself");
    sim::Dock* own = vessel->DockAt(port);
    if (own == nullptr) throw InputError(vessel->name + " has no port " + std::to_string(port));
    sim::Dock* theirs = other->DockAt(otherPort);
    if (theirs == nullptr) {
        throw InputError(other->name + " has no port " + std::to_string(otherPort));
    }
    if (own->mate == other && own->matePort == otherPort) return;
    if (own->mate != nullptr) {
        throw InputError("port " + std::to_string(port) + " of " + vessel->name + " is in use");
    }
    if (theirs->mate != nullptr) {
        throw InputError("port " + std::to_string(otherPort) + " of " + other->name + " is in use");
    }
    own->mate = other;
    own->matePort = otherPort;
    theirs->mate = vessel;
    theirs->matePort = port;
    NotifyDockEvent(vessel, port, other);
    NotifyDockEvent(other, otherPort, vessel);
}

void World::Undock(SimVessel* vessel, std::size_t port) {
    if (port >= vessel->docks.size()) {
        throw InputError(vessel->name + " has no port " + std::to_string(port));
    }
    sim::Dock* own = vessel->docks[port].get();
    SimVessel* other = own->mate;
    if (other == nullptr) return;
    other->docks[own->matePort]->mate = nullptr;
    const std::size_t otherPort = own->matePort;
    own->mate = nullptr;
    NotifyDockEvent(vessel, port, nullptr);
    NotifyDockEvent(other, otherPort, nullptr);
}

std::vector<std::string> World::SaveState(SimVessel* vessel) {
    ScenarioLineSink sink;
    ScenarioLineSink* outer = activeSink;
    activeSink = &sink;
    static_cast<VESSEL2*>(vessel->vesselInterface)->clbkSaveState(&sink);
    activeSink = outer;
    return std::move(sink.lines);
}

std::string_view World::DebugLine() const {
    return {debugLine_, strnlen(debugLine_, sizeof debugLine_)};
}

void World::CheckDebugLine() {
    const std::string_view line = DebugLine();
    if (line == lastDebugLine_) return;
    lastDebugLine_.assign(line);
    Log(line.empty() ? std::string("debug: -") : "debug: " + lastDebugLine_);
}

}  // namespace sim
