#include "sim/world/VesselDescription.h"

#include <string>

#include "sim/text/TextParsing.h"
#include "sim/world/SimVessel.h"
#include "sim/world/World.h"

namespace sim {
namespace {

using nlohmann::json;

json Vector(const VECTOR3& v) { return json::array({v.x, v.y, v.z}); }

json Attachments(const AttachmentList& list) {
    json out = json::array();
    for (const auto& a : list) {
        out.push_back({{"id", a->id},
                       {"pos", Vector(a->pos)},
                       {"dir", Vector(a->dir)},
                       {"rot", Vector(a->rot)}});
    }
    return out;
}

json StateLines(World& world, SimVessel& vessel) {
    json lines = json::array();
    if (vessel.kind == VesselKind::Inert && vessel.hasKeptLines) {
        for (const auto& raw : vessel.keptLines) {
            const std::string_view line = text::ScenarioLine(raw);
            if (!line.empty()) lines.push_back(std::string(line));
        }
        return lines;
    }
    for (auto& line : world.SaveState(&vessel)) lines.push_back(std::move(line));
    return lines;
}

}  // namespace

json DescribeVessel(World& world, SimVessel& vessel) {
    json propellant = json::array();
    for (const auto& tank : vessel.propellants) {
        propellant.push_back(
            {{"max", tank->maxMass}, {"mass", tank->mass}, {"efficiency", tank->efficiency}});
    }
    json thrusters = json::array();
    for (const auto& t : vessel.thrusters) {
        thrusters.push_back({{"pos", Vector(t->pos)},
                             {"dir", Vector(t->dir)},
                             {"max", t->maxThrust},
                             {"isp", t->isp}});
    }
    json groups = json::object();
    json moments = json::object();
    for (std::size_t type = 0; type < vessel.groups.size(); ++type) {
        const ThrusterGroup& group = vessel.groups[type];
        if (!group.exists) continue;
        json members = json::array();
        for (const Thruster* t : group.members) members.push_back(t->index);
        groups[std::to_string(type)] = std::move(members);
        if (type >= static_cast<std::size_t>(THGROUP_ATT_PITCHUP) &&
            type <= static_cast<std::size_t>(THGROUP_ATT_BANKRIGHT)) {
            moments[std::to_string(type)] = group.maxAngularMoment;
        }
    }
    json docks = json::array();
    for (const auto& d : vessel.docks) {
        docks.push_back({{"pos", Vector(d->pos)},
                         {"dir", Vector(d->dir)},
                         {"rot", Vector(d->rot)},
                         {"docked", d->mate ? json(d->mate->name) : json(nullptr)}});
    }
    json meshes = json::array();
    for (const auto& m : vessel.meshes)
        meshes.push_back({{"name", m.name}, {"visibility", m.visibility}});

    json touchdown = json::array();
    for (const TOUCHDOWNVTX& t : vessel.touchdownPoints) {
        touchdown.push_back({{"pos", Vector(t.pos)},
                             {"stiffness", t.stiffness},
                             {"damping", t.damping},
                             {"mu", t.mu},
                             {"mu_lng", t.mu_lng}});
    }

    json out;
    out["name"] = vessel.name;
    out["class"] = vessel.className;
    out["focus"] = world.Focus() == &vessel;
    out["empty_mass"] = vessel.emptyMass;
    out["size"] = vessel.size;
    out["pmi"] = Vector(vessel.pmi);
    out["touchdown"] = std::move(touchdown);
    out["cw"] = json::array({vessel.cw[0], vessel.cw[1], vessel.cw[2], vessel.cw[3]});
    out["cross_sections"] = Vector(vessel.crossSections);
    out["rot_drag"] = Vector(vessel.rotDrag);
    out["propellant"] = std::move(propellant);
    out["thrusters"] = std::move(thrusters);
    out["groups"] = std::move(groups);
    out["group_moments"] = std::move(moments);
    out["exhausts"] = vessel.exhausts.size();
    out["streams"] = vessel.streams.size();
    out["docks"] = std::move(docks);
    out["attachments"] = {{"child", Attachments(vessel.attachments[0])},
                          {"parent", Attachments(vessel.attachments[1])}};
    out["transponder"] = {{"on", vessel.transponderOn}, {"channel", vessel.transponderChannel}};
    out["meshes"] = std::move(meshes);
    out["camera"] = Vector(vessel.cameraOffset);
    out["pos"] = Vector(vessel.motion->pos);
    out["vel"] = Vector(vessel.motion->vel);
    out["angvel"] = Vector(vessel.motion->angularVelocity);
    out["hud"] = vessel.hudHasText ? json(vessel.hudText) : json(nullptr);
    out["state"] = StateLines(world, vessel);
    return out;
}

}  // namespace sim
