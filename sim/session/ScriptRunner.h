// Scripts: one command a line; blank lines and lines beginning with '#' are ignored. A script is
// parsed whole before any of it runs, so a malformed line stops it before the simulation starts.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class Simulator;

enum class CommandKind {
    Run,
    Step,
    Warp,
    Key,
    Focus,
    Create,
    Delete,
    Dock,
    Undock,
    Place,
    Walk,
    AngVel,
    Thrust,
    Print,
    Save,
    Draw
};

struct ScriptCommand {
    CommandKind kind = CommandKind::Run;
    int line = 0;
    std::vector<std::string> words;  // names, class, key and file, in the order written
    std::vector<double> numbers;     // numbers, in the order written
};

struct Script {
    std::string source;  // the file name used in messages
    std::vector<ScriptCommand> commands;
};

// One line: nothing for a blank or comment line. Throws InputError (without location).
std::optional<ScriptCommand> ParseCommand(std::string_view line);
// A whole script; errors name source and line.
Script ParseScript(std::string_view text, const std::string& source);
Script ReadScriptFile(const std::filesystem::path& file);

// Runs one command; relative `save` paths resolve against `baseDirectory` (empty: the current
// directory). Throws InputError (without location).
void RunCommand(Simulator& simulator, const ScriptCommand& command,
                const std::filesystem::path& baseDirectory);

}  // namespace sim
