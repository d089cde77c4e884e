// The host side of the vessel interface: every VESSEL member acts on the simulator's record of
// the vessel, and the VESSEL2 callbacks give the host's own default behaviour. A member called
// for a vessel that no longer exists does nothing and gives an empty result. Where the simulator
// reads through a dock or attachment handle unchecked, one that is null or not the vessel's own
// stops the run with a message naming the call. Every member, and every default callback that
// does work for the vessel, counts itself as a call into the host
// (sim/host-side/HostCallCounter.h); the host's own code here calls none of them.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "host/HostApi.h"
#include "host/VectorMath.h"
#include "sim/host-side/HostCallCounter.h"
#include "sim/host-side/HostStop.h"
#include "sim/scenario/ScenarioLineIo.h"
#include "sim/scenario/StandardStateLines.h"
#include "sim/world/RigidBodyMotion.h"
#include "sim/world/SimVessel.h"
#include "sim/world/StatusEncoding.h"
#include "sim/world/Surface.h"
#include "sim/world/World.h"

using sim::SimVessel;
using sim::World;

namespace {

SimVessel* Self(OBJHANDLE handle) { return World::LiveVessel(handle); }

char emptyName[1] = {'\0'};

// Channels the simulator's transponder takes: 0 to 639.
constexpr DWORD kTransponderChannels = 640;
// Bytes the simulator keeps of an attachment identifier (strncpy into char[8]).
constexpr std::size_t kAttachmentIdBytes = 8;

[[noreturn]] void StopBadHandle(const char* call, const void* handle, const char* kind) {
    sim::StopRun(std::string(call) + ": " + (handle == nullptr ? "null " : "stale ") + kind +
                 " handle (the simulator would crash here)");
}

// The vessel's own dock or attachment for a handle the simulator reads through unchecked.
sim::Dock* RequireDock(const SimVessel* v, DOCKHANDLE dock, const char* call) {
    sim::Dock* d = v ? v->FindDock(dock) : nullptr;
    if (v != nullptr && d == nullptr) StopBadHandle(call, dock, "dock");
    return d;
}

sim::Attachment* RequireAttachment(const SimVessel* v, ATTACHMENTHANDLE attachment,
                                   const char* call) {
    sim::Attachment* a = v ? v->FindAttachment(attachment) : nullptr;
    if (v != nullptr && a == nullptr) StopBadHandle(call, attachment, "attachment");
    return a;
}

bool ValidGroupType(THGROUP_TYPE type) { return type >= 0 && type < kThrusterGroupTypes; }

// The host's default callbacks that do work for the vessel (its scenario lines, its state, the
// default HUD) count as host calls when a module or the crew add-on reaches them, by calling the
// base class's callback or by not overriding it; the host's own inert vessels are no caller.
template <sim::HostCallKind kind>
void CountUnlessInert(OBJHANDLE handle) {
    const SimVessel* v = Self(handle);
    if (v == nullptr || v->kind != sim::VesselKind::Inert) sim::CountHostCall<kind>();
}

}  // namespace

// The stand-in's own record of a vessel is found by its handle, so the interface keeps the handle
// where the simulator keeps its record. Every interface object runs this constructor once, from
// whichever class's constructor the module or the crew add-on called.
VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel)
    : vessel(static_cast<Vessel*>(hVessel)), flightmodel(static_cast<short>(fmodel)), version(0) {
    CountUnlessInert<"VESSEL::VESSEL">(vessel);
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"  // the interface's signature
const OBJHANDLE VESSEL::GetHandle() const {
    sim::CountHostCall<"VESSEL::GetHandle">();
    return vessel;
}
#pragma GCC diagnostic pop

char* VESSEL::GetName() const {
    sim::CountHostCall<"VESSEL::GetName">();
    SimVessel* v = Self(vessel);
    return v ? v->name.data() : emptyName;
}

char* VESSEL::GetClassNameA() const {
    sim::CountHostCall<"VESSEL::GetClassName">();
    SimVessel* v = Self(vessel);
    return v ? v->className.data() : nullptr;
}

void VESSEL::SetSize(double size) const {
    sim::CountHostCall<"VESSEL::SetSize">();
    if (SimVessel* v = Self(vessel)) v->size = size;
}

void VESSEL::SetTouchdownPoints(const TOUCHDOWNVTX* tdvtx, DWORD ntdvtx) const {
    sim::CountHostCall<"VESSEL::SetTouchdownPoints">();
    SimVessel* v = Self(vessel);
    if (v == nullptr || tdvtx == nullptr || ntdvtx < sim::kFewestTouchdownPoints) return;
    v->touchdownPoints.assign(tdvtx, tdvtx + ntdvtx);
}

void VESSEL::SetEmptyMass(double emptyMass) const {
    sim::CountHostCall<"VESSEL::SetEmptyMass">();
    if (SimVessel* v = Self(vessel)) v->emptyMass = emptyMass;
}

void VESSEL::SetCW(double cwZPositive, double cwZNegative, double cwX, double cwY) const {
    sim::CountHostCall<"VESSEL::SetCW">();
    if (SimVessel* v = Self(vessel)) v->cw = {cwZPositive, cwZNegative, cwX, cwY};
}

void VESSEL::SetCrossSections(const VECTOR3& cs) const {
    sim::CountHostCall<"VESSEL::SetCrossSections">();
    if (SimVessel* v = Self(vessel)) v->crossSections = cs;
}

void VESSEL::SetRotDrag(const VECTOR3& rd) const {
    sim::CountHostCall<"VESSEL::SetRotDrag">();
    if (SimVessel* v = Self(vessel)) v->rotDrag = rd;
}

void VESSEL::SetPitchMomentScale(double scale) const {
    sim::CountHostCall<"VESSEL::SetPitchMomentScale">();
    if (SimVessel* v = Self(vessel)) v->pitchMomentScale = scale;
}

void VESSEL::SetBankMomentScale(double scale) const {
    sim::CountHostCall<"VESSEL::SetBankMomentScale">();
    if (SimVessel* v = Self(vessel)) v->bankMomentScale = scale;
}

void VESSEL::SetPMI(const VECTOR3& pmi) const {
    sim::CountHostCall<"VESSEL::SetPMI">();
    if (SimVessel* v = Self(vessel)) v->pmi = pmi;
}

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxMass, double mass,
                                                   double efficiency) const {
    sim::CountHostCall<"VESSEL::CreatePropellantResource">();
    SimVessel* v = Self(vessel);
    if (v == nullptr) return nullptr;
    if (maxMass < 0.0) maxMass = 0.0;
    // No initial mass given (negative): the tank starts full.
    mass = mass < 0.0 ? maxMass : (mass > maxMass ? maxMass : mass);
    return v->AddPropellant(maxMass, mass, efficiency);
}

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3& pos, const VECTOR3& dir, double maxThrust,
                                       PROPELLANT_HANDLE propellant, double isp, double ispRef,
                                       double pRef) const {
    sim::CountHostCall<"VESSEL::CreateThruster">();
    SimVessel* v = Self(vessel);
    if (v == nullptr) return nullptr;
    return v->AddThruster(
        {0, pos, dir, maxThrust, v->FindPropellant(propellant), isp, ispRef, pRef, 0.0});
}

void VESSEL::SetThrusterMax0(THRUSTER_HANDLE thruster, double maxThrust) const {
    sim::CountHostCall<"VESSEL::SetThrusterMax0">();
    SimVessel* v = Self(vessel);
    if (sim::Thruster* t = v ? v->FindThruster(thruster) : nullptr) t->maxThrust = maxThrust;
}

THGROUP_HANDLE VESSEL::CreateThrusterGroup(THRUSTER_HANDLE* thrusters, int count,
                                           THGROUP_TYPE type) const {
    sim::CountHostCall<"VESSEL::CreateThrusterGroup">();
    SimVessel* v = Self(vessel);
    if (v == nullptr || !ValidGroupType(type) || count < 0 || (thrusters == nullptr && count > 0)) {
        return nullptr;
    }
    sim::ThrusterGroup& group = v->groups[static_cast<std::size_t>(type)];
    // The same list again, as when a group is restored every step, needs no look-ups: members
    // are always the vessel's own thrusters (a deleted thruster leaves every group).
    if (!group.Holds(thrusters, static_cast<std::size_t>(count))) {
        v->ReplaceGroup(group, thrusters, static_cast<std::size_t>(count));
    }
    group.maxAngularMoment = sim::MaxAngularMoment(group, type);
    return &group;
}

bool VESSEL::DelThrusterGroup(THGROUP_TYPE type, bool deleteThrusters) const {
    sim::CountHostCall<"VESSEL::DelThrusterGroup">();
    SimVessel* v = Self(vessel);
    if (v == nullptr || !ValidGroupType(type)) return false;
    sim::ThrusterGroup& group = v->groups[static_cast<std::size_t>(type)];
    if (!group.exists) return false;
    group.exists = false;
    if (deleteThrusters) {
        const std::vector<sim::Thruster*> doomed = group.members;  // the group's list changes
        v->DeleteThrusters(doomed);
    }
    group.members.clear();  // its storage stays for the group's next creation
    return true;
}

void VESSEL::SetThrusterGroupLevel(THGROUP_TYPE type, double level) const {
    sim::CountHostCall<"VESSEL::SetThrusterGroupLevel">();
    if (SimVessel* v = Self(vessel)) v->SetGroupLevel(type, level);
}

unsigned int VESSEL::AddExhaust(THRUSTER_HANDLE thruster, double lengthScale, double widthScale,
                                const VECTOR3& pos, const VECTOR3& dir, SURFHANDLE texture) const {
    sim::CountHostCall<"VESSEL::AddExhaust">();
    SimVessel* v = Self(vessel);
    sim::Thruster* t = v ? v->FindThruster(thruster) : nullptr;
    if (t == nullptr) return static_cast<unsigned int>(-1);
    v->exhausts.push_back({t, lengthScale, widthScale, pos, dir, texture});
    return static_cast<unsigned int>(v->exhausts.size() - 1);
}

PSTREAM_HANDLE VESSEL::AddExhaustStream(THRUSTER_HANDLE thruster, const VECTOR3& pos,
                                        PARTICLESTREAMSPEC* description) const {
    sim::CountHostCall<"VESSEL::AddExhaustStream">();
    SimVessel* v = Self(vessel);
    sim::Thruster* t = v ? v->FindThruster(thruster) : nullptr;
    if (t == nullptr) return nullptr;
    auto stream = std::make_unique<sim::ExhaustStream>();
    stream->thruster = t;
    stream->source = &pos;
    stream->hasStreamDescription = description != nullptr;
    if (description != nullptr) stream->description = *description;
    v->streams.push_back(std::move(stream));
    return v->streams.back().get();
}

DOCKHANDLE VESSEL::CreateDock(const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot) const {
    sim::CountHostCall<"VESSEL::CreateDock">();
    SimVessel* v = Self(vessel);
    if (v == nullptr) return nullptr;
    return v->AddDock(pos, dir, rot);
}

unsigned int VESSEL::DockCount() const {
    sim::CountHostCall<"VESSEL::DockCount">();
    SimVessel* v = Self(vessel);
    return v ? static_cast<unsigned int>(v->docks.size()) : 0;
}

DOCKHANDLE VESSEL::GetDockHandle(unsigned int port) const {
    sim::CountHostCall<"VESSEL::GetDockHandle">();
    SimVessel* v = Self(vessel);
    return (v && port < v->docks.size()) ? v->docks[port].get() : nullptr;
}

OBJHANDLE VESSEL::GetDockStatus(DOCKHANDLE dock) const {
    sim::CountHostCall<"VESSEL::GetDockStatus">();
    const sim::Dock* d = RequireDock(Self(vessel), dock, "VESSEL::GetDockStatus");
    return d ? d->mate : nullptr;
}

unsigned int VESSEL::DockingStatus(unsigned int port) const {
    sim::CountHostCall<"VESSEL::DockingStatus">();
    SimVessel* v = Self(vessel);
    return (v && port < v->docks.size() && v->docks[port]->mate != nullptr) ? 1 : 0;
}

ATTACHMENTHANDLE VESSEL::CreateAttachment(bool toParent, const VECTOR3& pos, const VECTOR3& dir,
                                          const VECTOR3& rot, const char* id, bool loose) const {
    sim::CountHostCall<"VESSEL::CreateAttachment">();
    SimVessel* v = Self(vessel);
    if (v == nullptr || World::Current()->faults.nullAttachments) return nullptr;
    // The simulator keeps the first eight bytes of the identifier.
    const std::string kept = id ? std::string(id, strnlen(id, kAttachmentIdBytes)) : std::string();
    return v->AddAttachment({kept, pos, dir, rot, 0, toParent, loose});
}

void VESSEL::SetAttachmentParams(ATTACHMENTHANDLE attachment, const VECTOR3& pos,
                                 const VECTOR3& dir, const VECTOR3& rot) const {
    sim::CountHostCall<"VESSEL::SetAttachmentParams">();
    SimVessel* v = Self(vessel);
    if (sim::Attachment* a = v ? v->FindAttachment(attachment) : nullptr) {
        a->pos = pos;
        a->dir = dir;
        a->rot = rot;
    }
}

void VESSEL::GetAttachmentParams(ATTACHMENTHANDLE attachment, VECTOR3& pos, VECTOR3& dir,
                                 VECTOR3& rot) const {
    sim::CountHostCall<"VESSEL::GetAttachmentParams">();
    if (const sim::Attachment* a =
            RequireAttachment(Self(vessel), attachment, "VESSEL::GetAttachmentParams")) {
        pos = a->pos;
        dir = a->dir;
        rot = a->rot;
    }
}

DWORD VESSEL::AttachmentCount(bool toParent) const {
    sim::CountHostCall<"VESSEL::AttachmentCount">();
    SimVessel* v = Self(vessel);
    return v ? static_cast<DWORD>(v->attachments[toParent ? 1 : 0].size()) : 0;
}

ATTACHMENTHANDLE VESSEL::GetAttachmentHandle(bool toParent, DWORD index) const {
    sim::CountHostCall<"VESSEL::GetAttachmentHandle">();
    SimVessel* v = Self(vessel);
    if (v == nullptr) return nullptr;
    const auto& list = v->attachments[toParent ? 1 : 0];
    return index < list.size() ? list[index].get() : nullptr;
}

const char* VESSEL::GetAttachmentId(ATTACHMENTHANDLE attachment) const {
    sim::CountHostCall<"VESSEL::GetAttachmentId">();
    const sim::Attachment* a =
        RequireAttachment(Self(vessel), attachment, "VESSEL::GetAttachmentId");
    return a ? a->id.c_str() : nullptr;
}

unsigned int VESSEL::AddMesh(const char* meshName, const VECTOR3* offset) const {
    sim::CountHostCall<"VESSEL::AddMesh">();
    SimVessel* v = Self(vessel);
    if (v == nullptr) return static_cast<unsigned int>(-1);
    v->meshes.push_back({meshName ? meshName : "", offset ? *offset : VECTOR3{}, 1});
    return static_cast<unsigned int>(v->meshes.size() - 1);
}

void VESSEL::SetMeshVisibilityMode(unsigned int meshIndex, unsigned short mode) const {
    sim::CountHostCall<"VESSEL::SetMeshVisibilityMode">();
    SimVessel* v = Self(vessel);
    if (v && meshIndex < v->meshes.size()) v->meshes[meshIndex].visibility = mode;
}

void VESSEL::SetCameraOffset(const VECTOR3& offset) const {
    sim::CountHostCall<"VESSEL::SetCameraOffset">();
    if (SimVessel* v = Self(vessel)) v->cameraOffset = offset;
}

void VESSEL::EnableTransponder(bool enable) const {
    sim::CountHostCall<"VESSEL::EnableTransponder">();
    if (SimVessel* v = Self(vessel)) v->transponderOn = enable;
}

bool VESSEL::SetTransponderChannel(DWORD channel) const {
    sim::CountHostCall<"VESSEL::SetTransponderChannel">();
    SimVessel* v = Self(vessel);
    if (v == nullptr || channel >= kTransponderChannels) return false;
    v->transponderChannel = channel;
    return true;
}

// Every body sits at the global origin, so a vessel's global position and velocity are those
// relative to its reference body, and relative to a body they are the same.
void VESSEL::GetGlobalPos(VECTOR3& pos) const {
    sim::CountHostCall<"VESSEL::GetGlobalPos">();
    SimVessel* v = Self(vessel);
    pos = v ? v->motion->pos : VECTOR3{};
}

void VESSEL::GetGlobalVel(VECTOR3& vel) const {
    sim::CountHostCall<"VESSEL::GetGlobalVel">();
    SimVessel* v = Self(vessel);
    vel = v ? v->motion->vel : VECTOR3{};
}

void VESSEL::GetRelativePos(OBJHANDLE reference, VECTOR3& pos) const {
    sim::CountHostCall<"VESSEL::GetRelativePos">();
    SimVessel* v = Self(vessel);
    const SimVessel* other = World::LiveVessel(reference);
    pos = v ? vector_math::Sub(v->motion->pos, other ? other->motion->pos : VECTOR3{}) : VECTOR3{};
}

void VESSEL::GetRelativeVel(OBJHANDLE reference, VECTOR3& vel) const {
    sim::CountHostCall<"VESSEL::GetRelativeVel">();
    SimVessel* v = Self(vessel);
    const SimVessel* other = World::LiveVessel(reference);
    vel = v ? vector_math::Sub(v->motion->vel, other ? other->motion->vel : VECTOR3{}) : VECTOR3{};
}

void VESSEL::GetAngularVel(VECTOR3& angularVelocity) const {
    sim::CountHostCall<"VESSEL::GetAngularVel">();
    SimVessel* v = Self(vessel);
    angularVelocity = v ? v->motion->angularVelocity : VECTOR3{};
}

void VESSEL::GetStatus(VESSELSTATUS& status) const {
    sim::CountHostCall<"VESSEL::GetStatus">();
    SimVessel* v = Self(vessel);
    status = v ? sim::StatusOf(*World::Current(), *v) : VESSELSTATUS{};
}

void VESSEL::Local2Rel(const VECTOR3& local, VECTOR3& rel) const {
    sim::CountHostCall<"VESSEL::Local2Rel">();
    SimVessel* v = Self(vessel);
    rel = v ? vector_math::Add(v->motion->pos, mul(v->rotation, local)) : VECTOR3{};
}

void VESSEL::Local2Global(const VECTOR3& local, VECTOR3& global) const {
    sim::CountHostCall<"VESSEL::Local2Global">();
    SimVessel* v = Self(vessel);
    global = v ? vector_math::Add(v->motion->pos, mul(v->rotation, local)) : VECTOR3{};
}

void VESSEL::GlobalRot(const VECTOR3& local, VECTOR3& global) const {
    sim::CountHostCall<"VESSEL::GlobalRot">();
    SimVessel* v = Self(vessel);
    global = v ? mul(v->rotation, local) : VECTOR3{};
}

void VESSEL::Global2Local(const VECTOR3& global, VECTOR3& local) const {
    sim::CountHostCall<"VESSEL::Global2Local">();
    SimVessel* v = Self(vessel);
    local = v ? tmul(v->rotation, vector_math::Sub(global, v->motion->pos)) : VECTOR3{};
}

void VESSEL::GetRotationMatrix(MATRIX3& rotation) const {
    sim::CountHostCall<"VESSEL::GetRotationMatrix">();
    SimVessel* v = Self(vessel);
    rotation = v ? v->rotation : vector_math::Identity();
}

void VESSEL::SetRotationMatrix(const MATRIX3& rotation) const {
    sim::CountHostCall<"VESSEL::SetRotationMatrix">();
    if (SimVessel* v = Self(vessel)) sim::SetOrientation(*World::Current(), *v, rotation);
}

void VESSEL::ParseScenarioLineEx(char* line, void* /*status*/) const {
    sim::CountHostCall<"VESSEL::ParseScenarioLineEx">();
    SimVessel* v = Self(vessel);
    if (v == nullptr || line == nullptr) return;
    sim::ParseStandardLine(*World::Current(), *v, line);
}

// The host's own behaviour of the callbacks whose defaults act on the vessel; the rest, which do
// nothing for it, are every host's (sim/host-side/DefaultCallbacks.cpp).

void VESSEL2::clbkSaveState(FILEHANDLE scn) {
    CountUnlessInert<"VESSEL2::clbkSaveState">(vessel);
    SimVessel* v = Self(vessel);
    if (v == nullptr) return;
    for (const auto& [key, value] : sim::StandardLines(*v)) sim::WriteScenarioLine(scn, key, value);
}

void VESSEL2::clbkLoadStateEx(FILEHANDLE scn, void* /*status*/) {
    CountUnlessInert<"VESSEL2::clbkLoadStateEx">(vessel);
    char* line = nullptr;
    while (sim::NextScenarioLine(scn, line)) {
        if (SimVessel* v = Self(vessel)) sim::ParseStandardLine(*World::Current(), *v, line);
    }
}

void VESSEL2::clbkSetStateEx(const void* status) {
    CountUnlessInert<"VESSEL2::clbkSetStateEx">(vessel);
    SimVessel* v = Self(vessel);
    if (v == nullptr || status == nullptr) return;
    sim::ApplyStatus(*World::Current(), *v, *static_cast<const VESSELSTATUS*>(status));
}

// The stand-in has no default HUD elements to draw; the simulator draws its default HUD here.
bool VESSEL3::clbkDrawHUD(int, const HUDPAINTSPEC*, oapi::Sketchpad*) {
    CountUnlessInert<"VESSEL3::clbkDrawHUD">(vessel);
    return true;
}
