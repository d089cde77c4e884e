#include "sim/scenario/StandardStateLines.h"

#include <cmath>
#include <numbers>
#include <optional>

#include "host/RotationAngles.h"
#include "host/VectorMath.h"
#include "sim/text/TextParsing.h"
#include "sim/world/LoadContext.h"
#include "sim/world/SimVessel.h"
#include "sim/world/World.h"

namespace sim {

using namespace vector_math;
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// Port numbers a scenario may name; anything larger is a typing error, not a port.
constexpr long long kMaxPortNumber = 1000;

using Words = std::vector<std::string_view>;

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// A vector line read as the host reads it: each number read replaces its component, the others
// keep their value, and text after the third number is passed over.
VECTOR3 ReadVector(LoadContext& load, std::string_view key, std::string_view values,
                   VECTOR3 value) {
    std::string_view rest;
    const std::vector<double> numbers = text::ScanNumbers(values, 3, &rest);
    double* components[] = {&value.x, &value.y, &value.z};
    for (std::size_t i = 0; i < numbers.size(); ++i) *components[i] = numbers[i];
    const std::string line = std::string(key) + " " + Quoted(values);
    if (numbers.size() < 3) {
        load.Warn(line + " has " + std::to_string(numbers.size()) + " of 3 numbers: uses " +
                  text::FormatVector(value.x, value.y, value.z));
    } else if (!text::Trim(rest).empty()) {
        load.Warn(line + ": ignores " + Quoted(text::Trim(rest)));
    }
    return value;
}

// Items "INDEX:LEVEL", read up to the first that is not one.
void ParsePropellantLevels(LoadContext& load, SimVessel& vessel, const Words& words) {
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view item = words[i];
        const std::size_t colon = item.find(':');
        const auto index = text::ParseInteger(item.substr(0, colon));
        const auto level = colon == std::string_view::npos
                               ? std::nullopt
                               : text::ParseDouble(item.substr(colon + 1));
        if (!index || !level || *index < 0) {
            load.Warn("PRPLEVEL item " + Quoted(item) +
                      " is not INDEX:LEVEL: it and the items after it are ignored");
            return;
        }
        // A tank the vessel does not have is passed over, as the host does.
        if (static_cast<unsigned long long>(*index) >= vessel.propellants.size()) continue;
        Propellant& tank = *vessel.propellants[static_cast<std::size_t>(*index)];
        tank.mass = tank.maxMass * std::fmax(0.0, std::fmin(1.0, *level));
    }
}

// Items "PORT:OTHERPORT,NAME", read up to the first that is not one.
void ParseDockInfo(LoadContext& load, SimVessel& vessel, const Words& words) {
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view item = words[i];
        const std::size_t colon = item.find(':');
        const std::size_t comma = item.find(',');
        const bool shaped = colon != std::string_view::npos && comma != std::string_view::npos &&
                            colon < comma && comma + 1 < item.size();
        const auto port = shaped ? text::ParseInteger(item.substr(0, colon)) : std::nullopt;
        const auto otherPort =
            shaped ? text::ParseInteger(item.substr(colon + 1, comma - colon - 1)) : std::nullopt;
        if (!port || !otherPort || *port < 0 || *otherPort < 0 || *port > kMaxPortNumber ||
            *otherPort > kMaxPortNumber) {
            load.Warn("DOCKINFO item " + Quoted(item) +
                      " is not PORT:OTHERPORT,NAME: it and the items after it are "
                      "ignored");
            return;
        }
        load.pendingDocks.push_back({&vessel, static_cast<std::size_t>(*port),
                                     static_cast<std::size_t>(*otherPort),
                                     std::string(item.substr(comma + 1)), load.Location()});
    }
}

// The channel number; without one the channel in force stays, and the transponder is on either
// way.
void ParseTransponder(LoadContext& load, SimVessel& vessel, std::string_view values) {
    std::string_view rest;
    const auto channel = text::ScanInteger(values, &rest);
    vessel.transponderOn = true;
    if (!channel || *channel < 0 || *channel > 0xFFFFFFFFLL) {
        load.Warn("XPDR " + Quoted(values) + " gives no channel: keeps channel " +
                  std::to_string(vessel.transponderChannel));
        return;
    }
    vessel.transponderChannel = static_cast<unsigned int>(*channel);
    if (!text::Trim(rest).empty()) {
        load.Warn("XPDR " + Quoted(values) + ": ignores " + Quoted(text::Trim(rest)));
    }
}

constexpr std::string_view kSurfaceKeys[] = {"POS", "BASE", "HEADING", "ALT"};

bool IsSurfaceKey(std::string_view key) {
    for (const auto surfaceKey : kSurfaceKeys) {
        if (text::EqualsNoCase(key, surfaceKey)) return true;
    }
    return false;
}

// A repeated key replaces its earlier value in place; the key is kept as the scenario spells it.
void KeepSurfaceLine(SimVessel& vessel, std::string_view key, std::string_view value) {
    for (auto& [keptKey, keptValue] : vessel.surfaceLines) {
        if (text::EqualsNoCase(keptKey, key)) {
            keptValue.assign(value);
            return;
        }
    }
    vessel.surfaceLines.emplace_back(std::string(key), std::string(value));
}

// The numbers of POS (longitude and latitude), HEADING and ALT go to the vessel's spot; a number
// that is not there keeps the spot's value.
void ReadSpot(LoadContext& load, SurfaceSpot& spot, std::string_view key, std::string_view values) {
    double* fields[2] = {&spot.longitude, &spot.latitude};
    std::size_t count = 2;
    if (text::EqualsNoCase(key, "HEADING")) {
        fields[0] = &spot.heading;
        count = 1;
    } else if (text::EqualsNoCase(key, "ALT")) {
        fields[0] = &spot.altitude;
        count = 1;
    } else if (!text::EqualsNoCase(key, "POS")) {
        return;
    }
    std::string_view rest;
    const std::vector<double> numbers = text::ScanNumbers(values, count, &rest);
    for (std::size_t i = 0; i < numbers.size(); ++i) *fields[i] = numbers[i];
    if (numbers.size() < count) {
        load.Warn(std::string(key) + " " + Quoted(values) + " has " +
                  std::to_string(numbers.size()) + " of " + std::to_string(count) +
                  " numbers: a landed vessel keeps its earlier value");
    }
}

}  // namespace

void ParseStandardLine(LoadContext& load, SimVessel& vessel, std::string_view line) {
    const Words words = text::Split(line);
    if (words.empty()) return;
    const std::string_view key = words[0];
    const std::string_view values = text::Trim(line.substr(key.size()));
    if (text::EqualsNoCase(key, "STATUS")) {
        if (words.size() >= 3 && text::EqualsNoCase(words[1], "Orbiting")) {
            vessel.referenceBody.Set(words[2]);
            vessel.motion->landed = false;
        } else if (words.size() >= 3 && text::EqualsNoCase(words[1], "Landed")) {
            vessel.referenceBody.Set(words[2]);
            vessel.motion->landed = true;
        } else {
            load.Warn("STATUS " + Quoted(values) + " is not Orbiting BODY or Landed BODY: keeps " +
                      (vessel.motion->landed ? "Landed " : "Orbiting ") +
                      vessel.referenceBody.Name());
        }
    } else if (IsSurfaceKey(key)) {
        KeepSurfaceLine(vessel, key, values);
        ReadSpot(load, vessel.spot, key, values);
    } else if (text::EqualsNoCase(key, "RPOS")) {
        vessel.motion->pos = ReadVector(load, key, values, vessel.motion->pos);
    } else if (text::EqualsNoCase(key, "RVEL")) {
        vessel.motion->vel = ReadVector(load, key, values, vessel.motion->vel);
    } else if (text::EqualsNoCase(key, "AROT")) {
        const VECTOR3 degrees = Scale(rotation_angles::FromMatrix(vessel.rotation), 1.0 / kDegree);
        vessel.rotation =
            rotation_angles::ToMatrix(Scale(ReadVector(load, key, values, degrees), kDegree));
    } else if (text::EqualsNoCase(key, "VROT")) {
        const VECTOR3 degrees = Scale(vessel.motion->angularVelocity, 1.0 / kDegree);
        vessel.motion->angularVelocity = Scale(ReadVector(load, key, values, degrees), kDegree);
    } else if (text::EqualsNoCase(key, "PRPLEVEL")) {
        ParsePropellantLevels(load, vessel, words);
    } else if (text::EqualsNoCase(key, "DOCKINFO")) {
        ParseDockInfo(load, vessel, words);
    } else if (text::EqualsNoCase(key, "XPDR")) {
        ParseTransponder(load, vessel, values);
    }
}

void ParseStandardLine(World& world, SimVessel& vessel, std::string_view line) {
    ParseStandardLine(world.loading, vessel, line);
    // The body a STATUS line names becomes known to the host.
    world.BodyHandle(vessel.referenceBody.Name());
}

std::vector<std::pair<std::string, std::string>> StandardLines(const SimVessel& vessel) {
    std::vector<std::pair<std::string, std::string>> lines;
    const VesselMotion& motion = *vessel.motion;
    if (motion.landed) {
        lines.emplace_back("STATUS", "Landed " + vessel.referenceBody.Name());
        lines.insert(lines.end(), vessel.surfaceLines.begin(), vessel.surfaceLines.end());
    } else {
        lines.emplace_back("STATUS", "Orbiting " + vessel.referenceBody.Name());
        lines.emplace_back("RPOS", text::FormatVector(motion.pos.x, motion.pos.y, motion.pos.z));
        lines.emplace_back("RVEL", text::FormatVector(motion.vel.x, motion.vel.y, motion.vel.z));
        const VECTOR3 arot = Scale(rotation_angles::FromMatrix(vessel.rotation), 1.0 / kDegree);
        lines.emplace_back("AROT", text::FormatVector(arot.x, arot.y, arot.z));
        if (!IsZero(motion.angularVelocity)) {
            const VECTOR3 vrot = Scale(motion.angularVelocity, 1.0 / kDegree);
            lines.emplace_back("VROT", text::FormatVector(vrot.x, vrot.y, vrot.z));
        }
    }
    std::string levels;
    for (const auto& tank : vessel.propellants) {
        if (tank->mass <= 0.0 || tank->maxMass <= 0.0) continue;
        if (!levels.empty()) levels += ' ';
        levels +=
            std::to_string(tank->index) + ':' + text::FormatNumber(tank->mass / tank->maxMass);
    }
    if (!levels.empty()) lines.emplace_back("PRPLEVEL", levels);
    std::string docks;
    for (const auto& dock : vessel.docks) {
        if (dock->mate == nullptr) continue;
        if (!docks.empty()) docks += ' ';
        docks += std::to_string(dock->index) + ':' + std::to_string(dock->matePort) + ',' +
                 dock->mate->name;
    }
    if (!docks.empty()) lines.emplace_back("DOCKINFO", docks);
    if (vessel.transponderOn) lines.emplace_back("XPDR", std::to_string(vessel.transponderChannel));
    return lines;
}

}  // namespace sim
