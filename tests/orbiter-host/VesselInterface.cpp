// The simulator's vessel classes as the test host implements them: VESSEL's members that a module
// calls (each records what arrives in the vessel's world record or answers from it) and the
// defaults of the callbacks that act on the vessel (saving, loading and setting its state, drawing
// the default HUD). The exported classes' vtables reference them and the other callbacks' defaults,
// which every host shares (sim/host-side/DefaultCallbacks.cpp).
#include <cstdio>
#include <cstring>

#include "HostWorld.h"

namespace {

HostThrusterGroup* Group(Vessel* vessel, THGROUP_TYPE type) {
    const int index = static_cast<int>(type);
    if (index < 0 || index >= kThrusterGroupTypes) return nullptr;
    return &vessel->groups[index];
}

template <typename T>
T* Find(const std::vector<std::unique_ptr<T>>& list, const void* handle) {
    for (const auto& item : list) {
        if (item.get() == handle) return item.get();
    }
    return nullptr;
}

}  // namespace

// ---- Construction ------------------------------------------------------------------------------

VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel)
    : vessel(static_cast<Vessel*>(hVessel)), flightmodel(static_cast<short>(fmodel)), version(0) {}

// ---- Identity ----------------------------------------------------------------------------------

// The simulator declares the result const; the qualifier is part of the exported name.
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wignored-qualifiers"
const OBJHANDLE VESSEL::GetHandle() const { return vessel; }
#pragma clang diagnostic pop
char* VESSEL::GetName() const { return vessel->name.data(); }
char* VESSEL::GetClassNameA() const { return vessel->className.data(); }

// ---- Physical definition -----------------------------------------------------------------------

void VESSEL::SetSize(double size) const { vessel->size = size; }
void VESSEL::SetEmptyMass(double m) const { vessel->emptyMass = m; }
void VESSEL::SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const {
    vessel->cw[0] = cw_z_pos;
    vessel->cw[1] = cw_z_neg;
    vessel->cw[2] = cw_x;
    vessel->cw[3] = cw_y;
}
void VESSEL::SetCrossSections(const VECTOR3& cs) const { vessel->crossSections = cs; }
void VESSEL::SetRotDrag(const VECTOR3& rd) const { vessel->rotDrag = rd; }
void VESSEL::SetPitchMomentScale(double scale) const { vessel->pitchMomentScale = scale; }
void VESSEL::SetBankMomentScale(double scale) const { vessel->bankMomentScale = scale; }
void VESSEL::SetPMI(const VECTOR3& pmi) const { vessel->pmi = pmi; }
void VESSEL::SetTouchdownPoints(const TOUCHDOWNVTX* tdvtx, DWORD ntdvtx) const {
    if (tdvtx != nullptr) vessel->touchdownPoints.assign(tdvtx, tdvtx + ntdvtx);
}

// ---- Propellant and thrusters ------------------------------------------------------------------

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxmass, double mass,
                                                   double efficiency) const {
    vessel->propellants.push_back(
        std::make_unique<HostPropellant>(HostPropellant{maxmass, mass, efficiency}));
    return vessel->propellants.back().get();
}

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3& pos, const VECTOR3& dir, double maxth0,
                                       PROPELLANT_HANDLE hp, double isp0, double isp_ref,
                                       double p_ref) const {
    vessel->thrusters.push_back(
        std::make_unique<HostThruster>(HostThruster{pos, dir, maxth0, hp, isp0, isp_ref, p_ref}));
    return vessel->thrusters.back().get();
}

void VESSEL::SetThrusterMax0(THRUSTER_HANDLE th, double maxth0) const {
    if (HostThruster* thruster = vessel->Thruster(th)) thruster->maxThrust = maxth0;
}

// The list is copied, as the simulator does; a group of a type that exists is replaced.
THGROUP_HANDLE VESSEL::CreateThrusterGroup(THRUSTER_HANDLE* th, int nth, THGROUP_TYPE thgt) const {
    HostThrusterGroup* group = Group(vessel, thgt);
    if (group == nullptr || nth < 0 || (nth > 0 && th == nullptr)) return nullptr;
    group->exists = true;
    group->members.assign(th, th + nth);
    return group;
}

bool VESSEL::DelThrusterGroup(THGROUP_TYPE thgt, bool delth) const {
    HostThrusterGroup* group = Group(vessel, thgt);
    if (group == nullptr || !group->exists) return false;
    // The host never deletes thrusters here: the module rebuilds groups from the same ones.
    if (delth) return false;
    group->exists = false;
    group->members.clear();
    return true;
}

void VESSEL::SetThrusterGroupLevel(THGROUP_TYPE thgt, double level) const {
    HostThrusterGroup* group = Group(vessel, thgt);
    if (group == nullptr) return;
    group->level = level;
    if (group->exists && level == 0.0) ++group->levelZeroedWhileExisting;
}

UINT VESSEL::AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, const VECTOR3& pos,
                        const VECTOR3& dir, SURFHANDLE tex) const {
    vessel->exhausts.push_back(HostExhaust{th, lscale, wscale, pos, dir, tex});
    return static_cast<UINT>(vessel->exhausts.size() - 1);
}

PSTREAM_HANDLE VESSEL::AddExhaustStream(THRUSTER_HANDLE th, const VECTOR3& pos,
                                        PARTICLESTREAMSPEC* pss) const {
    auto stream =
        std::make_unique<HostExhaustStream>(HostExhaustStream{th, &pos, {}, pss != nullptr});
    if (pss != nullptr) stream->parameters = *pss;
    vessel->streams.push_back(std::move(stream));
    return vessel->streams.back().get();
}

// ---- Docking ports -----------------------------------------------------------------------------

DOCKHANDLE VESSEL::CreateDock(const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot) const {
    vessel->docks.push_back(std::make_unique<HostDock>(HostDock{pos, dir, rot, nullptr}));
    return vessel->docks.back().get();
}

UINT VESSEL::DockCount() const { return static_cast<UINT>(vessel->docks.size()); }

DOCKHANDLE VESSEL::GetDockHandle(UINT n) const {
    return n < vessel->docks.size() ? vessel->docks[n].get() : nullptr;
}

OBJHANDLE VESSEL::GetDockStatus(DOCKHANDLE hDock) const {
    const HostDock* dock = Find(vessel->docks, hDock);
    return dock != nullptr ? dock->docked : nullptr;
}

UINT VESSEL::DockingStatus(UINT port) const {
    return port < vessel->docks.size() && vessel->docks[port]->docked != nullptr ? 1 : 0;
}

// ---- Attachments -------------------------------------------------------------------------------

ATTACHMENTHANDLE VESSEL::CreateAttachment(bool toparent, const VECTOR3& pos, const VECTOR3& dir,
                                          const VECTOR3& rot, const char* id, bool loose) const {
    vessel->attachments.push_back(std::make_unique<HostAttachment>(
        HostAttachment{toparent, pos, dir, rot, id != nullptr ? id : "", loose}));
    return vessel->attachments.back().get();
}

void VESSEL::SetAttachmentParams(ATTACHMENTHANDLE attachment, const VECTOR3& pos,
                                 const VECTOR3& dir, const VECTOR3& rot) const {
    HostAttachment* found = vessel->Attachment(attachment);
    if (found == nullptr) return;
    found->pos = pos;
    found->dir = dir;
    found->rot = rot;
}

void VESSEL::GetAttachmentParams(ATTACHMENTHANDLE attachment, VECTOR3& pos, VECTOR3& dir,
                                 VECTOR3& rot) const {
    const HostAttachment* found = vessel->Attachment(attachment);
    if (found == nullptr) return;
    pos = found->pos;
    dir = found->dir;
    rot = found->rot;
}

DWORD VESSEL::AttachmentCount(bool toparent) const {
    return static_cast<DWORD>(vessel->AttachmentCount(toparent));
}

ATTACHMENTHANDLE VESSEL::GetAttachmentHandle(bool toparent, DWORD i) const {
    DWORD seen = 0;
    for (const auto& attachment : vessel->attachments) {
        if (attachment->toParent != toparent) continue;
        if (seen == i) return attachment.get();
        ++seen;
    }
    return nullptr;
}

const char* VESSEL::GetAttachmentId(ATTACHMENTHANDLE attachment) const {
    const HostAttachment* found = vessel->Attachment(attachment);
    return found != nullptr ? found->id.c_str() : nullptr;
}

// ---- Visuals and transponder -------------------------------------------------------------------

UINT VESSEL::AddMesh(const char* meshname, const VECTOR3* ofs) const {
    HostMesh mesh{meshname != nullptr ? meshname : "", ofs != nullptr, {}, 0};
    if (ofs != nullptr) mesh.offset = *ofs;
    vessel->meshes.push_back(mesh);
    return static_cast<UINT>(vessel->meshes.size() - 1);
}

void VESSEL::SetMeshVisibilityMode(UINT idx, WORD mode) const {
    if (idx < vessel->meshes.size()) vessel->meshes[idx].visibility = mode;
}

void VESSEL::SetCameraOffset(const VECTOR3& co) const { vessel->cameraOffset = co; }

void VESSEL::EnableTransponder(bool enable) const { vessel->transponderEnabled = enable; }

bool VESSEL::SetTransponderChannel(DWORD ch) const {
    if (!vessel->transponderEnabled) return false;
    vessel->transponderChannel = ch;
    return true;
}

// ---- State and frames --------------------------------------------------------------------------

void VESSEL::GetAngularVel(VECTOR3& avel) const { avel = vessel->angularVelocity; }
void VESSEL::GetStatus(VESSELSTATUS& status) const { status = vessel->status; }

void VESSEL::Local2Rel(const VECTOR3& local, VECTOR3& rel) const {
    const VECTOR3 turned = Rotate(vessel->rotation, local);
    rel = {{vessel->status.rpos.x + turned.x, vessel->status.rpos.y + turned.y,
            vessel->status.rpos.z + turned.z}};
}

void VESSEL::GlobalRot(const VECTOR3& rloc, VECTOR3& rglob) const {
    rglob = Rotate(vessel->rotation, rloc);
}

// The world's global frame is the reference body's frame, so global and relative positions agree.
void VESSEL::Global2Local(const VECTOR3& global, VECTOR3& local) const {
    const VECTOR3 offset{{global.x - vessel->status.rpos.x, global.y - vessel->status.rpos.y,
                          global.z - vessel->status.rpos.z}};
    local = RotateBack(vessel->rotation, offset);
}

void VESSEL::GetRotationMatrix(MATRIX3& R) const { R = vessel->rotation; }
void VESSEL::SetRotationMatrix(const MATRIX3& R) const { vessel->rotation = R; }

void VESSEL::ParseScenarioLineEx(char* line, void* status) const {
    vessel->parsedLines.emplace_back(line != nullptr ? line : "");
    vessel->parsedStatus = status;
}

// ---- VESSEL2 callbacks: the simulator's defaults -----------------------------------------------

// The simulator's standard lines; a transponder adds its channel.
void VESSEL2::clbkSaveState(FILEHANDLE scn) {
    oapiWriteScenario_string(scn, const_cast<char*>("STATUS"), const_cast<char*>("Orbiting Earth"));
    if (vessel->transponderEnabled) {
        char channel[16];
        std::snprintf(channel, sizeof channel, "%u",
                      static_cast<unsigned>(vessel->transponderChannel));
        oapiWriteScenario_string(scn, const_cast<char*>("XPDR"), channel);
    }
}

void VESSEL2::clbkLoadStateEx(FILEHANDLE scn, void* status) {
    char* line = nullptr;
    while (oapiReadScenario_nextline(scn, line)) ParseScenarioLineEx(line, status);
}

void VESSEL2::clbkSetStateEx(const void*) {}

// ---- VESSEL3 callbacks -------------------------------------------------------------------------

// The simulator draws its default HUD here; this host draws nothing and notes when it was called,
// so that the checks can tell that a module's override called it before drawing its own text.
bool VESSEL3::clbkDrawHUD(int, const HUDPAINTSPEC*, oapi::Sketchpad*) {
    HostWorld& world = World();
    ++world.baseHudDrawCalls;
    world.baseHudDrawEvent = world.NextEvent();
    return true;
}
