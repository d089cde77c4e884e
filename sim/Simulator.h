// The headless stand-in simulator: implements the host interface, loads vessel modules at run
// time, plays the crew add-on's part, reads and writes scenario files and runs scripts.
// One Simulator is current at a time; the host's free functions act on it.
#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/HostApi.h"

namespace sim {

// A bad scenario, script or command: the message names file and line where there is one.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What module library entries asked of the host, counted over the process's life.
struct LibraryCallLog {
    int initLibCalls = 0;
    HINSTANCE lastInitLibModule = nullptr;
    int date2IntCalls = 0;
};
const LibraryCallLog& LibraryCalls();

struct SimulatorOptions {
    // Root folder (the simulator's working folder). Empty: a fresh temporary copy of the sample
    // root in examples/root, removed when the simulator ends.
    std::filesystem::path root;
    unsigned seed = 1;
    double step = 0.02;
    // Where transcript lines go as they happen, besides Transcript(); may be null.
    std::ostream* transcript = nullptr;
};

class Simulator {
public:
    explicit Simulator(SimulatorOptions options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // The simulator the host functions act on.
    static Simulator* Current();

    // The root folder in use.
    const std::filesystem::path& Root() const;

    // Registers a vessel module library for a class; loaded at once (throws InputError).
    void RegisterModule(const std::string& className, const std::filesystem::path& library);

    // Scenario files (throw InputError on bad input, naming file and line).
    void LoadScenario(const std::filesystem::path& file);
    void SaveScenario(const std::filesystem::path& file) const;

    // Scripts: a whole file, or one command line as a script holds it. Errors throw InputError.
    void RunScript(const std::filesystem::path& file);
    void Execute(const std::string& commandLine);

    // Vessels. Creation runs the class set-up; a null status means at the origin, at rest.
    OBJHANDLE CreateVessel(const std::string& name, const std::string& className,
                           const VESSELSTATUS* status = nullptr);
    bool DeleteVessel(OBJHANDLE vessel);
    OBJHANDLE FindVessel(const std::string& name) const;
    VESSEL* Interface(OBJHANDLE vessel) const;

    // Time.
    void Frame();                   // one frame of the current step
    void Run(double seconds);       // round(seconds / step) frames, at least one
    void SetStep(double seconds);
    void SetTimeAcceleration(double factor);
    double SimTime() const;

    // What the pilot sees and does.
    int PressKey(const std::string& vessel, const std::string& keySpec);  // press, then release
    void SetFocus(OBJHANDLE vessel);
    OBJHANDLE Focus() const;
    std::string DebugLine() const;
    // The text drawn in the vessel's most recent HUD frame; empty when none.
    std::string HudText(const std::string& vessel) const;

    // One vessel as `print` shows it.
    nlohmann::json Describe(const std::string& vessel) const;

    // Every transcript line so far, without time stamps.
    const std::vector<std::string>& Transcript() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace sim
