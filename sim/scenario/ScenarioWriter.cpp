#include "sim/scenario/ScenarioWriter.h"

#include "sim/text/TextParsing.h"
#include "sim/world/World.h"

namespace sim {
namespace {

using Kind = ScenarioSection::Kind;

constexpr char kIndent[] = "  ";

void WriteLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const auto& line : lines) out << line << '\n';
}

bool HasKey(const std::string& line, std::string_view key) {
    const auto words = text::Split(text::ScenarioLine(line));
    return !words.empty() && text::EqualsNoCase(words[0], key);
}

std::string DateLine(const World& world) {
    return std::string(kIndent) + "Date MJD " + text::FormatNumber(world.mjd);
}

void WriteEnvironment(std::ostream& out, const ScenarioSection* section, const World& world) {
    out << (section ? section->beginLine : "BEGIN_ENVIRONMENT") << '\n';
    bool wroteSystem = false;
    bool wroteDate = false;
    if (section != nullptr) {
        for (const auto& line : section->lines) {
            if (HasKey(line, "Date")) {
                out << DateLine(world) << '\n';
                wroteDate = true;
            } else {
                wroteSystem = wroteSystem || HasKey(line, "System");
                out << line << '\n';
            }
        }
    }
    if (!wroteSystem) out << kIndent << "System " << world.system << '\n';
    if (!wroteDate) out << DateLine(world) << '\n';
    out << (section ? section->endLine : "END_ENVIRONMENT") << '\n';
}

void WriteFocus(std::ostream& out, const ScenarioSection* section, const World& world) {
    out << (section ? section->beginLine : "BEGIN_FOCUS") << '\n';
    const std::string shipLine =
        world.Focus() ? std::string(kIndent) + "Ship " + world.Focus()->name : std::string();
    bool wroteShip = false;
    if (section != nullptr) {
        for (const auto& line : section->lines) {
            if (!HasKey(line, "Ship")) {
                out << line << '\n';
            } else if (!wroteShip && !shipLine.empty()) {
                out << shipLine << '\n';
                wroteShip = true;
            }
        }
    }
    if (!wroteShip && !shipLine.empty()) out << shipLine << '\n';
    out << (section ? section->endLine : "END_FOCUS") << '\n';
}

void WriteVessel(std::ostream& out, SimVessel* vessel, World& world) {
    WriteLines(out, vessel->leadingLines);
    if (vessel->kind == VesselKind::Inert && vessel->hasKeptLines) {
        out << vessel->keptHeader << '\n';
        WriteLines(out, vessel->keptLines);
        out << vessel->keptEnd << '\n';
        return;
    }
    out << vessel->name << ':' << vessel->className << '\n';
    for (const auto& line : world.SaveState(vessel)) out << kIndent << line << '\n';
    out << "END\n";
}

void WriteShips(std::ostream& out, const ScenarioSection* section, World& world) {
    out << (section ? section->beginLine : "BEGIN_SHIPS") << '\n';
    // Saving calls into vessels; walk a copy in case one of them creates or deletes a vessel.
    const std::vector<SimVessel*> vessels = world.Vessels();
    for (SimVessel* vessel : vessels) {
        if (world.IsLive(vessel)) WriteVessel(out, vessel, world);
    }
    if (section != nullptr) WriteLines(out, section->lines);
    out << (section ? section->endLine : "END_SHIPS") << '\n';
}

}  // namespace

void WriteScenario(std::ostream& out, const ScenarioDocument* document, World& world) {
    bool wroteEnvironment = false;
    bool wroteFocus = false;
    bool wroteShips = false;
    if (document != nullptr) {
        for (const auto& section : document->sections) {
            switch (section.kind) {
                case Kind::Text:
                    WriteLines(out, section.lines);
                    break;
                case Kind::Description:
                case Kind::Hud:
                    out << section.beginLine << '\n';
                    WriteLines(out, section.lines);
                    out << section.endLine << '\n';
                    break;
                case Kind::Environment:
                    WriteEnvironment(out, &section, world);
                    wroteEnvironment = true;
                    break;
                case Kind::Focus:
                    WriteFocus(out, &section, world);
                    wroteFocus = true;
                    break;
                case Kind::Ships:
                    WriteShips(out, &section, world);
                    wroteShips = true;
                    break;
            }
        }
    }
    if (!wroteEnvironment) WriteEnvironment(out, nullptr, world);
    if (!wroteFocus) WriteFocus(out, nullptr, world);
    if (!wroteShips) WriteShips(out, nullptr, world);
}

}  // namespace sim
