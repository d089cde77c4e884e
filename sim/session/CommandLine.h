// vesselsim's command line:
// vesselsim [--root DIR] [--seed N] [--step SECONDS] [--module CLASS=PATH]...
//           [--draw VESSEL=FILE.svg]... SCENARIO [SCRIPT]
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct CommandLine {
    std::filesystem::path root;
    unsigned seed = 1;
    double step = 0.02;
    std::vector<std::pair<std::string, std::filesystem::path>> modules;
    // --draw VESSEL=FILE.svg: drawings of the state after the script (or the default run).
    std::vector<std::pair<std::string, std::filesystem::path>> drawings;
    std::filesystem::path scenario;
    std::optional<std::filesystem::path> script;
    bool help = false;
};

// Throws InputError on a malformed command line.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
const char* Usage();

}  // namespace sim
