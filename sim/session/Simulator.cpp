#include "sim/session/Simulator.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <optional>

#include "host/CrewAddon.h"
#include "host/VectorMath.h"
#include "sim/host-side/CrewAddonVessel.h"
#include "sim/host-side/HostStop.h"
#include "sim/host-side/SimPlatform.h"
#include "sim/scenario/ScenarioReader.h"
#include "sim/scenario/ScenarioWriter.h"
#include "sim/session/CommandValues.h"
#include "sim/session/ScriptRunner.h"
#include "sim/text/TextParsing.h"
#include "sim/world/VesselDescription.h"
#include "sim/world/World.h"

namespace sim {

using namespace vector_math;
namespace {

namespace fs = std::filesystem;

// Longest run a script may ask for, in frames.
constexpr double kMaxFramesPerRun = 1e9;

Simulator* current = nullptr;

// A fresh copy of the sample root in the system's temporary folder.
fs::path MakeTemporaryRoot() {
    std::string reason;
    const fs::path root = os::MakeTemporaryFolder("vesselsim-", &reason);
    if (root.empty()) throw std::runtime_error("cannot make a temporary root folder: " + reason);
    fs::copy(QM_SAMPLE_ROOT, root, fs::copy_options::recursive);
    return root;
}

}  // namespace

struct Simulator::State {
    SimulatorOptions options;
    fs::path root;
    bool temporaryRoot = false;
    fs::path previousDirectory;
    std::unique_ptr<World> world;
    std::optional<ScenarioDocument> document;

    SimVessel* Require(const std::string& name) const {
        SimVessel* vessel = world->Find(name);
        if (vessel == nullptr) throw InputError("no vessel named " + name);
        return vessel;
    }

    CrewAddonVessel& RequireCrew(const std::string& name) const {
        SimVessel* vessel = Require(name);
        if (vessel->kind != VesselKind::CrewAddon) {
            throw InputError(name + " is not a crew vessel of class " +
                             std::string(crew_addon::kCrewClassName));
        }
        return *static_cast<CrewAddonVessel*>(vessel->vesselInterface);
    }
};

Simulator::Simulator(SimulatorOptions options) : state_(std::make_unique<State>()) {
    if (current != nullptr) throw std::logic_error("only one simulator may exist at a time");
    CheckStep(options.step);
    State& s = *state_;
    s.options = std::move(options);
    s.previousDirectory = fs::current_path();
    if (s.options.root.empty()) {
        s.root = MakeTemporaryRoot();
        s.temporaryRoot = true;
    } else {
        s.root = fs::absolute(s.options.root);
        if (!fs::is_directory(s.root))
            throw InputError(s.root.string() + ": root folder not found");
    }
    fs::current_path(s.root);
    s.world = std::make_unique<World>(s.options.seed, s.options.step);
    s.world->transcript.SetStream(s.options.transcript);
    s.world->moveOutOfBodies = s.options.moveOutOfBodies;
    World::SetCurrent(s.world.get());
    current = this;
}

Simulator::~Simulator() {
    State& s = *state_;
    s.world.reset();
    World::SetCurrent(nullptr);
    current = nullptr;
    std::error_code ignored;
    fs::current_path(s.previousDirectory, ignored);
    if (s.temporaryRoot) fs::remove_all(s.root, ignored);
}

Simulator* Simulator::Current() { return current; }

const fs::path& Simulator::Root() const { return state_->root; }

const std::string& Simulator::HudMode() const { return state_->world->hudMode; }

void Simulator::RegisterModule(const std::string& className, const fs::path& library) {
    state_->world->RegisterModule(className, library);
}

void Simulator::LoadScenario(const fs::path& file) {
    World& world = *state_->world;
    ScenarioDocument document = ReadScenarioFile(file);
    if (document.mjd) world.SetDate(*document.mjd);
    world.FollowSurfaces();  // the vessels already there, at the scenario's time
    if (document.system) world.system = *document.system;
    world.hudMode = document.hudMode.value_or("");
    world.loading = LoadContext{};
    world.loading.warnings = std::move(document.warnings);
    for (auto& block : document.vessels) {
        const std::string location = document.source + ":" + std::to_string(block.headerLineNumber);
        if (world.Find(block.name) != nullptr) {
            throw InputError(location + ": a vessel named " + block.name + " exists already");
        }
        ScenarioLineSource source;
        source.file = document.source;
        // Every line of the block reaches the vessel, blank ones too, as in the simulator; only
        // comments are cut.
        for (std::size_t i = 0; i < block.lines.size(); ++i) {
            const std::string_view line = text::ScenarioLine(block.lines[i]);
            source.lines.emplace_back(line);
            source.lineNumbers.push_back(block.lineNumbers[i]);
        }
        SimVessel* vessel = nullptr;
        try {
            vessel = world.CreateVesselFromScenario(block.name, block.className, source);
        } catch (const InputError& refusal) {
            throw InputError(location + ": " + refusal.what());
        }
        vessel->leadingLines = std::move(block.leadingLines);
        if (vessel->kind == VesselKind::Inert) {
            vessel->hasKeptLines = true;
            vessel->keptHeader = std::move(block.headerLine);
            vessel->keptLines = std::move(block.lines);
            vessel->keptEnd = std::move(block.endLine);
        }
    }
    const std::vector<PendingDockLink> links = std::move(world.loading.pendingDocks);
    world.loading.pendingDocks.clear();
    for (const auto& link : links) {
        if (!world.IsLive(link.vessel)) continue;
        // The host links what it can and loads on.
        SimVessel* other = world.Find(link.otherName);
        if (other == nullptr) {
            world.loading.warnings.push_back(
                link.location + ": DOCKINFO names no vessel of the scenario: " + link.otherName +
                ": the port stays free");
            continue;
        }
        try {
            world.Dock(link.vessel, link.port, other, link.otherPort);
        } catch (const InputError& refusal) {
            world.loading.warnings.push_back(link.location + ": " + refusal.what() +
                                             ": the port stays free");
        }
    }
    SimVessel* focus = document.focus ? world.Find(*document.focus) : nullptr;
    if (document.focus && focus == nullptr && !world.Vessels().empty()) {
        world.loading.warnings.push_back(
            document.source + ":" + std::to_string(document.focusLineNumber) +
            ": the focus vessel " + *document.focus +
            " is not in the scenario: " + world.Vessels().front()->name + " takes the focus");
    }
    // As in the host, a focus vessel not found leaves it to the first vessel.
    if (focus == nullptr && (document.focus || world.Focus() == nullptr) &&
        !world.Vessels().empty()) {
        focus = world.Vessels().front();
    }
    if (focus != nullptr) world.SetFocus(focus);
    if (state_->options.warnings != nullptr) {
        for (const auto& warning : world.loading.warnings) {
            *state_->options.warnings << warning << '\n';
        }
        state_->options.warnings->flush();
    }
    document.vessels.clear();
    state_->document = std::move(document);
    world.CheckDebugLine();
}

void Simulator::SaveScenario(const fs::path& file) const {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) throw InputError(file.string() + ": cannot write the scenario file");
    WriteScenario(out, state_->document ? &*state_->document : nullptr, *state_->world);
    out.flush();
    if (!out) throw InputError(file.string() + ": cannot write the scenario file");
}

const std::vector<std::string>& Simulator::LoadWarnings() const {
    return state_->world->loading.warnings;
}

void Simulator::RunScript(const fs::path& file) { RunScript(ReadScriptFile(file)); }

void Simulator::RunScript(const Script& script) {
    for (const auto& command : script.commands) {
        try {
            RunCommand(*this, command, state_->options.baseDirectory);
        } catch (const InputError& error) {
            throw InputError(script.source + ":" + std::to_string(command.line) + ": " +
                             error.what());
        } catch (const HostStop& stop) {
            throw HostStop(script.source + ":" + std::to_string(command.line) + ": " + stop.what());
        }
    }
}

void Simulator::Execute(const std::string& commandLine) {
    if (const auto command = ParseCommand(commandLine)) {
        RunCommand(*this, *command, state_->options.baseDirectory);
    }
}

OBJHANDLE Simulator::CreateVessel(const std::string& name, const std::string& className,
                                  const VESSELSTATUS* status) {
    VESSELSTATUS atRest{};
    atRest.fuel = 1.0;
    atRest.flag[0] = 2;  // the fuel level applies
    SimVessel* vessel = state_->world->CreateVessel(name, className, status ? *status : atRest);
    state_->world->CheckDebugLine();
    return vessel;
}

bool Simulator::DeleteVessel(OBJHANDLE vessel) {
    SimVessel* doomed = World::LiveVessel(vessel);
    if (doomed == nullptr) return false;
    state_->world->RemoveAtOnce(doomed);
    state_->world->CheckDebugLine();
    return true;
}

OBJHANDLE Simulator::FindVessel(const std::string& name) const { return state_->world->Find(name); }

VESSEL* Simulator::Interface(OBJHANDLE vessel) const {
    SimVessel* live = World::LiveVessel(vessel);
    return live ? live->vesselInterface : nullptr;
}

void Simulator::Frame() { state_->world->Frame(); }

void Simulator::Run(double seconds) {
    CheckRunTime(seconds);
    const double frames = std::max(1.0, std::round(seconds / state_->world->step));
    if (frames > kMaxFramesPerRun)
        throw InputError("run of " + text::FormatNumber(frames) + " frames is too long");
    for (long long i = 0; i < static_cast<long long>(frames); ++i) state_->world->Frame();
}

void Simulator::SetStep(double seconds) {
    CheckStep(seconds);
    state_->world->step = seconds;
}

void Simulator::SetSystemTime(double seconds) { state_->world->sysTime = seconds; }

void Simulator::SetTimeAcceleration(double factor) {
    CheckWarp(factor);
    state_->world->timeAcceleration = factor;
}

double Simulator::SimTime() const { return state_->world->simTime; }

int Simulator::PressKey(const std::string& vessel, const std::string& keyStroke) {
    SimVessel* target = state_->Require(vessel);
    const KeyStroke key = CheckKey(keyStroke);
    World& world = *state_->world;
    const int result = world.PressKey(target, key);
    world.Log("key " + vessel + " " + keyStroke + " -> " + std::to_string(result));
    world.CheckDebugLine();
    return result;
}

void Simulator::SetFocus(OBJHANDLE vessel) {
    if (SimVessel* live = World::LiveVessel(vessel)) state_->world->SetFocus(live);
    state_->world->CheckDebugLine();
}

OBJHANDLE Simulator::Focus() const { return state_->world->Focus(); }

std::string Simulator::DebugLine() const { return std::string(state_->world->DebugLine()); }

std::string Simulator::HudText(const std::string& vessel) const {
    const SimVessel* found = state_->world->Find(vessel);
    return (found && found->hudHasText) ? found->hudText : std::string();
}

std::vector<HudDrawCall> Simulator::HudDrawCalls() const { return state_->world->hud.Calls(); }

const os::HudCanvas& Simulator::HudCanvas() const { return state_->world->hud.Canvas(); }

void Simulator::Dock(const std::string& vessel, unsigned port, const std::string& other,
                     unsigned otherPort) {
    state_->world->Dock(state_->Require(vessel), port, state_->Require(other), otherPort);
}

void Simulator::Undock(const std::string& vessel, unsigned port) {
    state_->world->Undock(state_->Require(vessel), port);
}

void Simulator::Place(const std::string& vessel, const std::string& other,
                      const VECTOR3& position) {
    SimVessel* moved = state_->Require(vessel);
    const SimVessel* reference = state_->Require(other);
    moved->motion->pos = Add(reference->motion->pos, mul(reference->rotation, position));
    moved->rotation = reference->rotation;
    moved->motion->vel = reference->motion->vel;
    // A landed vessel stays landed, now at the point where it was put.
    if (const SurfaceBody* body = moved->motion->landed ? SurfaceOf(*moved) : nullptr) {
        LandWhereItIs(*state_->world, *moved, *body);
    }
}

void Simulator::Walk(const std::string& crew, const std::string& ship) {
    state_->Require(crew);
    const SimVessel* target = state_->Require(ship);
    state_->RequireCrew(crew);
    crew_addon::PublishedAirlock airlock;
    if (target->vesselInterface == nullptr ||
        crew_addon::FindPublishedAirlock(*target->vesselInterface, airlock) == nullptr) {
        throw InputError(ship + " publishes no airlock");
    }
    Place(crew, ship, airlock.Centre());
    GiveMemberAttachment(crew);
}

void Simulator::GiveMemberAttachment(const std::string& crew) {
    state_->RequireCrew(crew).GiveMemberAttachment();
}

void Simulator::SetAngularVelocity(const std::string& vessel, const VECTOR3& radiansPerSecond) {
    state_->Require(vessel)->motion->angularVelocity = radiansPerSecond;
}

void Simulator::SetThrust(const std::string& vessel, int groupType, double level) {
    CheckThrust(groupType, level);
    // A group the vessel does not have (now) takes no level, as in the host.
    state_->Require(vessel)->SetGroupLevel(groupType, level);
}

void Simulator::Print(const std::string& vessel) { state_->world->Log(Describe(vessel).dump()); }

nlohmann::json Simulator::Describe(const std::string& vessel) const {
    return DescribeVessel(*state_->world, *state_->Require(vessel));
}

std::optional<VESSELSTATUS> Simulator::CreationStatus(const std::string& vessel) const {
    const SimVessel* found = state_->Require(vessel);
    if (found->creationStatus == nullptr) return std::nullopt;
    return *found->creationStatus;
}

std::vector<std::string> Simulator::VesselNames() const {
    std::vector<std::string> names;
    for (const SimVessel* vessel : state_->world->Vessels()) names.push_back(vessel->name);
    return names;
}

HostCallCounts Simulator::HostCalls() const { return HostCallSnapshot(); }

std::uint64_t Simulator::HostCallTotal() const { return sim::HostCallTotal(); }

void Simulator::ResetHostCalls() { HostCallCounter::ResetAll(); }

std::vector<std::string> Simulator::StateLines(const std::string& vessel) const {
    return state_->world->SaveState(state_->Require(vessel));
}

std::vector<std::string> Simulator::CaptureScenarioLines(
    const std::function<void(FILEHANDLE)>& write) {
    World& world = *state_->world;
    ScenarioLineSink sink;
    ScenarioLineSink* outer = world.activeSink;
    world.activeSink = &sink;
    try {
        write(&sink);
    } catch (...) {
        world.activeSink = outer;
        throw;
    }
    world.activeSink = outer;
    return std::move(sink.lines);
}

HostFaults& Simulator::Faults() { return state_->world->faults; }

const std::vector<std::string>& Simulator::Transcript() const {
    return state_->world->transcript.Lines();
}

}  // namespace sim
