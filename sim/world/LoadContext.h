// What loading a scenario gathers while its vessels read their blocks: the block being read (the
// file handle the host reads from), the DOCKINFO links to make once every vessel exists, and what
// loading had to assume where a line could be read only in part. The scenario line parser works
// on it alone, without a simulation.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sim {

struct SimVessel;

// A vessel block being read: the FILEHANDLE that oapiReadScenario_nextline reads from. Lines are
// already cut and trimmed as the host hands them on.
struct ScenarioLineSource {
    std::string file;
    std::vector<std::string> lines;
    std::vector<int> lineNumbers;
    std::size_t next = 0;
    std::string current;  // the line last handed out (a writable copy)
    int currentLine = 0;
};

// A docking link named by a DOCKINFO line, made once every vessel of the scenario exists.
struct PendingDockLink {
    SimVessel* vessel;
    std::size_t port;
    std::size_t otherPort;
    std::string otherName;
    std::string location;  // "FILE:LINE"
};

struct LoadContext {
    ScenarioLineSource* activeSource = nullptr;
    std::vector<PendingDockLink> pendingDocks;
    // One "FILE:LINE: message" each, in order.
    std::vector<std::string> warnings;

    // "FILE:LINE" of the line being read; empty outside a block.
    std::string Location() const {
        if (activeSource == nullptr) return {};
        return activeSource->file + ":" + std::to_string(activeSource->currentLine);
    }
    void Warn(const std::string& message) {
        const std::string location = Location();
        warnings.push_back(location.empty() ? message : location + ": " + message);
    }
};

}  // namespace sim
