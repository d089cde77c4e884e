#include "sim/session/ScriptRunner.h"

#include <cmath>

#include "sim/session/CommandValues.h"
#include "sim/session/DrawingFile.h"
#include "sim/session/Simulator.h"
#include "sim/text/TextFile.h"
#include "sim/text/TextParsing.h"

namespace sim {
namespace {

// A word of the script in single quotes, for messages.
std::string Quoted(std::string_view word) {
    std::string quoted;
    quoted.reserve(word.size() + 2);
    quoted += '\'';
    quoted += word;
    quoted += '\'';
    return quoted;
}

// Argument kinds: V vessel name, S word, K key, F file, N number, I whole number >= 0.
struct CommandSyntax {
    std::string_view name;
    CommandKind kind;
    std::string_view arguments;
    std::string_view usage;
};

constexpr CommandSyntax kCommands[] = {
    {"run", CommandKind::Run, "N", "run SECONDS"},
    {"step", CommandKind::Step, "N", "step SECONDS"},
    {"warp", CommandKind::Warp, "N", "warp FACTOR"},
    {"key", CommandKind::Key, "VK", "key VESSEL KEYSPEC"},
    {"focus", CommandKind::Focus, "V", "focus VESSEL"},
    {"create", CommandKind::Create, "VS", "create NAME CLASS"},
    {"delete", CommandKind::Delete, "V", "delete NAME"},
    {"dock", CommandKind::Dock, "VIVI", "dock VESSEL PORT OTHER OTHERPORT"},
    {"undock", CommandKind::Undock, "VI", "undock VESSEL PORT"},
    {"place", CommandKind::Place, "VVNNN", "place VESSEL OTHER X Y Z"},
    {"walk", CommandKind::Walk, "VV", "walk CREW SHIP"},
    {"angvel", CommandKind::AngVel, "VNNN", "angvel VESSEL X Y Z"},
    {"thrust", CommandKind::Thrust, "VIN", "thrust VESSEL TYPE LEVEL"},
    {"print", CommandKind::Print, "V", "print VESSEL"},
    {"save", CommandKind::Save, "F", "save FILE"},
    {"draw", CommandKind::Draw, "VF", "draw VESSEL FILE.svg"},
};

[[noreturn]] void Fail(const std::string& message) { throw InputError(message); }

// The values are checked as the simulator checks them when the command runs, but before the
// script starts.
void CheckValues(const ScriptCommand& command) {
    const auto& n = command.numbers;
    switch (command.kind) {
        case CommandKind::Run:
            CheckRunTime(n[0]);
            break;
        case CommandKind::Step:
            CheckStep(n[0]);
            break;
        case CommandKind::Warp:
            CheckWarp(n[0]);
            break;
        case CommandKind::Key:
            CheckKey(command.words[1]);
            break;
        case CommandKind::Thrust:
            CheckThrust(n[0], n[1]);
            break;
        case CommandKind::Dock:
        case CommandKind::Undock:
            for (double port : n) CheckPort(port);
            break;
        default:
            break;
    }
}

}  // namespace

std::optional<ScriptCommand> ParseCommand(std::string_view line) {
    line = text::Trim(line);
    if (line.empty() || line.front() == '#') return {};
    const auto words = text::Split(line);
    const CommandSyntax* syntax = nullptr;
    for (const auto& candidate : kCommands) {
        if (words[0] == candidate.name) syntax = &candidate;
    }
    if (syntax == nullptr) Fail("unknown command '" + std::string(words[0]) + "'");
    if (words.size() != syntax->arguments.size() + 1) Fail("usage: " + std::string(syntax->usage));
    ScriptCommand command;
    command.kind = syntax->kind;
    for (std::size_t i = 0; i < syntax->arguments.size(); ++i) {
        const std::string_view word = words[i + 1];
        switch (syntax->arguments[i]) {
            case 'N': {
                const auto value = text::ParseDouble(word);
                if (!value)
                    Fail(Quoted(word) + " is not a number (usage: " + std::string(syntax->usage) +
                         ")");
                command.numbers.push_back(*value);
                break;
            }
            case 'I': {
                const auto value = text::ParseInteger(word);
                if (!value || *value < 0) {
                    Fail(Quoted(word) + " is not a whole number of 0 or more (usage: " +
                         std::string(syntax->usage) + ")");
                }
                command.numbers.push_back(static_cast<double>(*value));
                break;
            }
            default:
                command.words.emplace_back(word);
                break;
        }
    }
    CheckValues(command);
    return command;
}

Script ParseScript(std::string_view text, const std::string& source) {
    Script script;
    script.source = source;
    int lineNumber = 0;
    for (const std::string_view line : text::Lines(text)) {
        ++lineNumber;
        try {
            if (auto command = ParseCommand(line)) {
                command->line = lineNumber;
                script.commands.push_back(std::move(*command));
            }
        } catch (const InputError& error) {
            throw InputError(source + ":" + std::to_string(lineNumber) + ": " + error.what());
        }
    }
    return script;
}

Script ReadScriptFile(const std::filesystem::path& file) {
    return ParseScript(ReadTextFile(file, "script"), file.string());
}

void RunCommand(Simulator& simulator, const ScriptCommand& command,
                const std::filesystem::path& baseDirectory) {
    const auto& w = command.words;
    const auto& n = command.numbers;
    const auto port = [&](std::size_t i) { return static_cast<unsigned>(n[i]); };
    // The vessel the word names; a name no vessel has stops the script.
    const auto vessel = [&](std::size_t i) {
        OBJHANDLE found = simulator.FindVessel(w[i]);
        if (found == nullptr) Fail("no vessel named " + w[i]);
        return found;
    };
    switch (command.kind) {
        case CommandKind::Run:
            simulator.Run(n[0]);
            break;
        case CommandKind::Step:
            simulator.SetStep(n[0]);
            break;
        case CommandKind::Warp:
            simulator.SetTimeAcceleration(n[0]);
            break;
        case CommandKind::Key:
            simulator.PressKey(w[0], w[1]);
            break;
        case CommandKind::Focus:
            simulator.SetFocus(vessel(0));
            break;
        case CommandKind::Create:
            simulator.CreateVessel(w[0], w[1]);
            break;
        case CommandKind::Delete:
            simulator.DeleteVessel(vessel(0));
            break;
        case CommandKind::Dock:
            simulator.Dock(w[0], port(0), w[1], port(1));
            break;
        case CommandKind::Undock:
            simulator.Undock(w[0], port(0));
            break;
        case CommandKind::Place:
            simulator.Place(w[0], w[1], {n[0], n[1], n[2]});
            break;
        case CommandKind::Walk:
            simulator.Walk(w[0], w[1]);
            break;
        case CommandKind::AngVel:
            simulator.SetAngularVelocity(w[0], {n[0], n[1], n[2]});
            break;
        case CommandKind::Thrust:
            simulator.SetThrust(w[0], static_cast<int>(n[0]), n[1]);
            break;
        case CommandKind::Print:
            simulator.Print(w[0]);
            break;
        case CommandKind::Save: {
            std::filesystem::path file = w[0];
            if (file.is_relative() && !baseDirectory.empty()) file = baseDirectory / file;
            simulator.SaveScenario(file);
            break;
        }
        case CommandKind::Draw: {
            std::filesystem::path file = w[1];
            if (file.is_relative() && !baseDirectory.empty()) file = baseDirectory / file;
            WriteVesselDrawing(simulator, w[0], file);
            break;
        }
    }
}

}  // namespace sim
