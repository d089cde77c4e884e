// A scenario file as read: its sections in order, with every line the simulator does not
// interpret kept exactly, so that saving writes them back as they were.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sim {

// One vessel block of BEGIN_SHIPS: header "NAME:CLASS", state lines, "END".
struct ScenarioVesselBlock {
    std::vector<std::string> leadingLines;  // blank and comment lines before the header
    std::string headerLine;                 // exact
    int headerLineNumber = 0;
    std::string name;
    std::string className;
    std::vector<std::string> lines;  // exact, between header and END
    std::vector<int> lineNumbers;
    std::string endLine;  // exact
};

struct ScenarioSection {
    enum class Kind {
        Text,         // lines outside the interpreted sections, exact
        Description,  // BEGIN_DESC ... END_DESC
        Environment,  // BEGIN_ENVIRONMENT ... END_ENVIRONMENT
        Focus,        // BEGIN_FOCUS ... END_FOCUS
        Ships,        // BEGIN_SHIPS ... END_SHIPS
        Hud,          // BEGIN_HUD ... END_HUD
    };
    Kind kind = Kind::Text;
    std::string beginLine;           // exact; empty for Text
    std::vector<std::string> lines;  // Text: the lines; Ships: lines after the last block;
                                     // others: the inner lines
    std::string endLine;             // exact; empty for Text
};

struct ScenarioDocument {
    std::string source;  // the file name used in messages
    std::vector<ScenarioSection> sections;
    std::vector<ScenarioVesselBlock> vessels;
    std::optional<std::string> system;
    std::optional<double> mjd;
    std::optional<std::string> focus;
    int focusLineNumber = 0;
    // The HUD's mode from BEGIN_HUD's TYPE line ("Orbit", "Surface" or "Docking"). Without the
    // section the simulator opens the scenario with the HUD off.
    std::optional<std::string> hudMode;
    // What reading had to assume ("FILE:LINE: message"), where the host reads on.
    std::vector<std::string> warnings;
};

}  // namespace sim
