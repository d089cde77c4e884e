#include "HostWorld.h"

#include "host/CrewAddon.h"

namespace {

// The interface the host makes for a vessel that no module drives (crew vessels and the like).
// Final, so that deleting it through its own type is the whole object.
class HostVesselInterface final : public VESSEL4 {
  public:
    using VESSEL4::VESSEL4;
};

}  // namespace

HostThruster* Vessel::Thruster(THRUSTER_HANDLE handle) const {
    for (const auto& thruster : thrusters) {
        if (thruster.get() == handle) return thruster.get();
    }
    return nullptr;
}

HostAttachment* Vessel::Attachment(ATTACHMENTHANDLE handle) const {
    for (const auto& attachment : attachments) {
        if (attachment.get() == handle) return attachment.get();
    }
    return nullptr;
}

int Vessel::ThrusterIndex(THRUSTER_HANDLE handle) const {
    for (std::size_t i = 0; i < thrusters.size(); ++i) {
        if (thrusters[i].get() == handle) return static_cast<int>(i);
    }
    return -1;
}

int Vessel::AttachmentCount(bool toParent) const {
    int count = 0;
    for (const auto& attachment : attachments) {
        if (attachment->toParent == toParent) ++count;
    }
    return count;
}

HostWorld& World() {
    static HostWorld world;
    return world;
}

Vessel* HostWorld::CreateVessel(const char* name, const char* className,
                                const VESSELSTATUS& status) {
    if (name == nullptr || name[0] == '\0' || className == nullptr) return nullptr;
    if (FindByName(name) != nullptr) return nullptr;
    auto vessel = std::make_unique<Vessel>();
    vessel->name = name;
    vessel->className = className;
    vessel->status = status;
    vessel->rotation = IdentityMatrix();
    Vessel* created = vessel.get();
    vessels.push_back(std::move(vessel));

    if (module.ovcInit != nullptr && module.className == className) {
        created->vesselInterface = module.ovcInit(created, 1);
        created->interfaceFromModule = true;
    } else {
        created->vesselInterface = new HostVesselInterface(created, 1);
    }
    if (created->className == crew_addon::kCrewClassName) {
        created->vesselInterface->CreateAttachment(true, VECTOR3{}, VECTOR3{{0, 0, 1}},
                                                   VECTOR3{{0, 1, 0}}, kCrewSuitAttachmentId);
    }
    return created;
}

bool HostWorld::DeleteVessel(Vessel* vessel) {
    if (vessel == nullptr || !vessel->alive) return false;
    vessel->alive = false;
    if (vessel->interfaceFromModule) {
        if (module.ovcExit != nullptr) module.ovcExit(vessel->vesselInterface);
    } else {
        delete static_cast<HostVesselInterface*>(vessel->vesselInterface);
    }
    vessel->vesselInterface = nullptr;
    if (focus == vessel) focus = nullptr;
    // Docks that held it are free again.
    for (const auto& other : vessels) {
        for (const auto& dock : other->docks) {
            if (dock->docked == vessel) dock->docked = nullptr;
        }
    }
    return true;
}

Vessel* HostWorld::FindLive(OBJHANDLE handle) const {
    for (const auto& vessel : vessels) {
        if (vessel.get() == handle && vessel->alive) return vessel.get();
    }
    return nullptr;
}

Vessel* HostWorld::FindByName(const char* name) const {
    if (name == nullptr) return nullptr;
    for (const auto& vessel : vessels) {
        if (vessel->alive && vessel->name == name) return vessel.get();
    }
    return nullptr;
}

std::vector<Vessel*> HostWorld::LiveVessels() const {
    std::vector<Vessel*> live;
    for (const auto& vessel : vessels) {
        if (vessel->alive) live.push_back(vessel.get());
    }
    return live;
}

VECTOR3 Rotate(const MATRIX3& r, const VECTOR3& v) {
    return {{r.m11 * v.x + r.m12 * v.y + r.m13 * v.z, r.m21 * v.x + r.m22 * v.y + r.m23 * v.z,
             r.m31 * v.x + r.m32 * v.y + r.m33 * v.z}};
}

VECTOR3 RotateBack(const MATRIX3& r, const VECTOR3& v) {
    return {{r.m11 * v.x + r.m21 * v.y + r.m31 * v.z, r.m12 * v.x + r.m22 * v.y + r.m32 * v.z,
             r.m13 * v.x + r.m23 * v.y + r.m33 * v.z}};
}

MATRIX3 IdentityMatrix() { return {{1, 0, 0, 0, 1, 0, 0, 0, 1}}; }
