#include "sim/StandardStateLines.h"

#include <cmath>
#include <numbers>
#include <optional>

#include "sim/RigidBodyMotion.h"
#include "sim/SimVessel.h"
#include "sim/TextParsing.h"
#include "sim/VectorMath.h"
#include "sim/World.h"

namespace sim {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// Port numbers a scenario may name; anything larger is a typing error, not a port.
constexpr long long kMaxPortNumber = 1000;

using Words = std::vector<std::string_view>;

// The three numbers of a vector line; a malformed line is reported.
std::optional<VECTOR3> VectorOf(World& world, const Words& words) {
    const auto x = words.size() == 4 ? text::ParseDouble(words[1]) : std::nullopt;
    const auto y = words.size() == 4 ? text::ParseDouble(words[2]) : std::nullopt;
    const auto z = words.size() == 4 ? text::ParseDouble(words[3]) : std::nullopt;
    if (!x || !y || !z) {
        world.ReportLoadError(std::string(words[0]) + " needs three numbers");
        return {};
    }
    return VECTOR3{*x, *y, *z};
}

void ParsePropellantLevels(World& world, SimVessel& vessel, const Words& words) {
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view item = words[i];
        const std::size_t colon = item.find(':');
        const auto index = text::ParseInteger(item.substr(0, colon));
        const auto level = colon == std::string_view::npos
                               ? std::nullopt
                               : text::ParseDouble(item.substr(colon + 1));
        if (!index || !level || *index < 0) {
            world.ReportLoadError("PRPLEVEL item '" + std::string(item) + "' is not INDEX:LEVEL");
            return;
        }
        // A tank the vessel does not have is passed over, as the host does.
        if (static_cast<unsigned long long>(*index) >= vessel.propellants.size()) continue;
        Propellant& tank = *vessel.propellants[static_cast<std::size_t>(*index)];
        tank.mass = tank.maxMass * std::fmax(0.0, std::fmin(1.0, *level));
    }
}

void ParseDockInfo(World& world, SimVessel& vessel, const Words& words) {
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
            world.ReportLoadError("DOCKINFO item '" + std::string(item) +
                                  "' is not PORT:OTHERPORT,NAME");
            return;
        }
        std::string location;
        if (world.activeSource != nullptr) {
            location =
                world.activeSource->file + ":" + std::to_string(world.activeSource->currentLine);
        }
        world.pendingDocks.push_back({&vessel, static_cast<std::size_t>(*port),
                                      static_cast<std::size_t>(*otherPort),
                                      std::string(item.substr(comma + 1)), std::move(location)});
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

}  // namespace

void ParseStandardLine(World& world, SimVessel& vessel, std::string_view line) {
    const Words words = text::Split(line);
    if (words.empty()) return;
    const std::string_view key = words[0];
    if (text::EqualsNoCase(key, "STATUS")) {
        if (words.size() >= 3 && text::EqualsNoCase(words[1], "Orbiting")) {
            vessel.referenceBody = std::string(words[2]);
            world.BodyHandle(words[2]);
            vessel.landed = false;
        } else if (words.size() >= 3 && text::EqualsNoCase(words[1], "Landed")) {
            vessel.referenceBody = std::string(words[2]);
            world.BodyHandle(words[2]);
            vessel.landed = true;
        }
    } else if (IsSurfaceKey(key)) {
        KeepSurfaceLine(vessel, key, text::Trim(line.substr(key.size())));
    } else if (text::EqualsNoCase(key, "RPOS")) {
        if (const auto value = VectorOf(world, words)) vessel.pos = *value;
    } else if (text::EqualsNoCase(key, "RVEL")) {
        if (const auto value = VectorOf(world, words)) vessel.vel = *value;
    } else if (text::EqualsNoCase(key, "AROT")) {
        if (const auto value = VectorOf(world, words)) {
            vessel.rotation = RotationFromEuler(Scale(*value, kDegree));
        }
    } else if (text::EqualsNoCase(key, "VROT")) {
        if (const auto value = VectorOf(world, words)) {
            vessel.angularVelocity = Scale(*value, kDegree);
        }
    } else if (text::EqualsNoCase(key, "PRPLEVEL")) {
        ParsePropellantLevels(world, vessel, words);
    } else if (text::EqualsNoCase(key, "DOCKINFO")) {
        ParseDockInfo(world, vessel, words);
    } else if (text::EqualsNoCase(key, "XPDR")) {
        const auto channel = words.size() == 2 ? text::ParseInteger(words[1]) : std::nullopt;
        if (!channel || *channel < 0 || *channel > 0xFFFFFFFFLL) {
            world.ReportLoadError("XPDR needs a channel number");
            return;
        }
        vessel.transponderOn = true;
        vessel.transponderChannel = static_cast<unsigned int>(*channel);
    }
}

std::vector<std::pair<std::string, std::string>> StandardLines(const SimVessel& vessel) {
    std::vector<std::pair<std::string, std::string>> lines;
    if (vessel.landed) {
        lines.emplace_back("STATUS", "Landed " + vessel.referenceBody);
        lines.insert(lines.end(), vessel.surfaceLines.begin(), vessel.surfaceLines.end());
    } else {
        lines.emplace_back("STATUS", "Orbiting " + vessel.referenceBody);
        lines.emplace_back("RPOS", text::FormatVector(vessel.pos.x, vessel.pos.y, vessel.pos.z));
        lines.emplace_back("RVEL", text::FormatVector(vessel.vel.x, vessel.vel.y, vessel.vel.z));
        const VECTOR3 arot = Scale(EulerFromRotation(vessel.rotation), 1.0 / kDegree);
        lines.emplace_back("AROT", text::FormatVector(arot.x, arot.y, arot.z));
        if (!IsZero(vessel.angularVelocity)) {
            const VECTOR3 vrot = Scale(vessel.angularVelocity, 1.0 / kDegree);
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
