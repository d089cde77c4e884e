#include "sim/session/CommandLine.h"

#include "sim/session/CommandValues.h"
#include "sim/text/InputError.h"
#include "sim/text/TextParsing.h"

namespace sim {

const char* Usage() {
    return "usage: vesselsim [--root DIR] [--seed N] [--step SECONDS] [--module CLASS=PATH]... "
           "[--draw VESSEL=FILE.svg]... SCENARIO [SCRIPT]";
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string option = arguments[i];
        if (option == "-h" || option == "--help") {
            line.help = true;
            continue;
        }
        if (option.size() < 2 || option.compare(0, 2, "--") != 0) {
            positional.push_back(option);
            continue;
        }
        std::string value;
        const std::size_t equals = option.find('=');
        if (equals != std::string::npos) {
            value = option.substr(equals + 1);
            option.resize(equals);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            throw InputError(option + " needs a value");
        }
        if (option == "--root") {
            if (value.empty()) throw InputError("--root needs a folder");
            line.root = value;
        } else if (option == "--seed") {
            const auto seed = text::ParseInteger(value);
            if (!seed || *seed < 0 || *seed > 0xFFFFFFFFLL)
                throw InputError("--seed needs a whole number from 0 to 4294967295");
            line.seed = static_cast<unsigned>(*seed);
        } else if (option == "--step") {
            // The rule of the script's step command, its message naming the option.
            const auto step = text::ParseDouble(value);
            try {
                CheckStep(step.value_or(0.0));
            } catch (const InputError& error) {
                throw InputError("--" + std::string(error.what()));
            }
            line.step = *step;
        } else if (option == "--module") {
            const std::size_t split = value.find('=');
            if (split == std::string::npos || split == 0 || split + 1 == value.size()) {
                throw InputError("--module needs CLASS=PATH");
            }
            line.modules.emplace_back(value.substr(0, split), value.substr(split + 1));
        } else if (option == "--draw") {
            const std::size_t split = value.find('=');
            if (split == std::string::npos || split == 0 || split + 1 == value.size()) {
                throw InputError("--draw needs VESSEL=FILE.svg");
            }
            line.drawings.emplace_back(value.substr(0, split), value.substr(split + 1));
        } else {
            throw InputError("unknown option " + option);
        }
    }
    if (line.help) return line;
    if (positional.empty()) throw InputError("no scenario file given");
    if (positional.size() > 2) throw InputError("too many arguments");
    line.scenario = positional[0];
    if (positional.size() == 2) line.script = positional[1];
    return line;
}

}  // namespace sim
