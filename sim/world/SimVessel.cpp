#include "sim/world/SimVessel.h"

#include <algorithm>
#include <cstdint>

namespace sim {
namespace {

// Ports an inert vessel grows on demand; a scenario or script naming a higher one is refused.
constexpr std::size_t kMaxOnDemandPorts = 64;
// Attachments a vessel may have for its look-ups to go through its lists rather than a hash.
constexpr std::size_t kFewAttachments = 8;

template <typename T>
T* Registered(const std::unordered_map<const void*, SimVessel::HandleKind>& handles,
              const void* handle, SimVessel::HandleKind kind) {
    const auto found = handles.find(handle);
    if (found == handles.end() || found->second != kind) return nullptr;
    return static_cast<T*>(const_cast<void*>(handle));
}

}  // namespace

double SimVessel::Mass() const {
    double mass = emptyMass;
    for (const auto& tank : propellants) mass += tank->mass;
    return mass;
}

Propellant* SimVessel::AddPropellant(double maxMass, double mass, double efficiency) {
    propellants.push_back(
        std::make_unique<Propellant>(Propellant{propellants.size(), maxMass, mass, efficiency}));
    handles.emplace(propellants.back().get(), HandleKind::Propellant);
    return propellants.back().get();
}

Thruster* SimVessel::AddThruster(const Thruster& thruster) {
    thrusters.push_back(std::make_unique<Thruster>(thruster));
    thrusters.back()->index = thrusters.size() - 1;
    motion->mayThrust = motion->mayThrust || thruster.level > 0.0;
    handles.emplace(thrusters.back().get(), HandleKind::Thruster);
    return thrusters.back().get();
}

Dock* SimVessel::AddDock(const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot) {
    docks.push_back(std::make_unique<Dock>(Dock{docks.size(), pos, dir, rot, nullptr, 0}));
    handles.emplace(docks.back().get(), HandleKind::Dock);
    return docks.back().get();
}

Attachment* SimVessel::AddAttachment(Attachment attachment) {
    auto& list = attachments[attachment.toParent ? 1 : 0];
    attachment.index = list.size();
    list.push_back(std::make_unique<Attachment>(std::move(attachment)));
    handles.emplace(list.back().get(), HandleKind::Attachment);
    return list.back().get();
}

Propellant* SimVessel::FindPropellant(const void* handle) const {
    return Registered<Propellant>(handles, handle, HandleKind::Propellant);
}

Thruster* SimVessel::FindThruster(const void* handle) const {
    return Registered<Thruster>(handles, handle, HandleKind::Thruster);
}

Dock* SimVessel::FindDock(const void* handle) const {
    return Registered<Dock>(handles, handle, HandleKind::Dock);
}

Attachment* SimVessel::FindAttachment(const void* handle) const {
    // Most vessels have a handful of attachments, asked about in every arrival scan: comparing
    // addresses in their lists is cheaper than the hash look-up that larger lists need.
    if (attachments[0].size() + attachments[1].size() <= kFewAttachments) {
        for (const auto& list : attachments) {
            for (const auto& attachment : list) {
                if (attachment.get() == handle) return attachment.get();
            }
        }
        return nullptr;
    }
    return Registered<Attachment>(handles, handle, HandleKind::Attachment);
}

int SimVessel::GroupType(const void* handle) const {
    const auto begin = reinterpret_cast<std::uintptr_t>(groups.data());
    const auto address = reinterpret_cast<std::uintptr_t>(handle);
    if (address < begin || address >= begin + sizeof groups) return -1;
    const std::size_t offset = address - begin;
    if (offset % sizeof(ThrusterGroup) != 0) return -1;
    const auto type = static_cast<int>(offset / sizeof(ThrusterGroup));
    return groups[static_cast<std::size_t>(type)].exists ? type : -1;
}

void SimVessel::ReplaceGroup(ThrusterGroup& group, const THRUSTER_HANDLE* thrusters,
                             std::size_t count) {
    group.members.clear();
    for (std::size_t i = 0; i < count; ++i) {
        if (Thruster* t = FindThruster(thrusters[i])) group.members.push_back(t);
    }
    group.exists = true;
}

void SimVessel::SetGroupLevel(int type, double level) {
    if (type < 0 || type >= kThrusterGroupTypes) return;
    const ThrusterGroup& group = groups[static_cast<std::size_t>(type)];
    if (!group.exists) return;
    level = std::clamp(level, 0.0, 1.0);
    motion->mayThrust = motion->mayThrust || (level > 0.0 && !group.members.empty());
    for (Thruster* thruster : group.members) thruster->level = level;
}

void SimVessel::DeleteThrusters(const std::vector<Thruster*>& doomed) {
    auto isDoomed = [&](const Thruster* t) {
        return std::find(doomed.begin(), doomed.end(), t) != doomed.end();
    };
    for (auto& group : groups) std::erase_if(group.members, isDoomed);
    std::erase_if(exhausts, [&](const Exhaust& e) { return isDoomed(e.thruster); });
    std::erase_if(streams, [&](const auto& s) { return isDoomed(s->thruster); });
    for (const Thruster* t : doomed) handles.erase(t);
    std::erase_if(thrusters, [&](const auto& t) { return isDoomed(t.get()); });
    for (std::size_t i = 0; i < thrusters.size(); ++i) thrusters[i]->index = i;
}

Dock* SimVessel::DockAt(std::size_t index) {
    if (index < docks.size()) return docks[index].get();
    if (kind != VesselKind::Inert || index >= kMaxOnDemandPorts) return nullptr;
    while (docks.size() <= index) AddDock({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
    return docks[index].get();
}

}  // namespace sim
