// The module DLL as Windows runs it, checked under the real system calls: the library entry on
// load and unload, the DLL's export table, the crew ID folder search, the hand-over files written
// through backslash paths, and the HUD text drawn by gdi32's TextOutA on a memory device context.
//   vesselsim.exe (this program) MODULE_DLL EXIT_FIXTURE_DLL
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/CrewAddon.h"
#include "host/HostApi.h"
#include "sim/session/Simulator.h"
#include "testing/HandOverFiles.h"
#include "testing/RootFiles.h"
#include "testing/ScenarioBuilder.h"
#include "testing/ShipModule.h"
#include "testing/windows/ModuleImage.h"

namespace {

namespace fs = std::filesystem;

int passed = 0;
int failed = 0;

void Check(bool condition, const char* what, const char* file, int line) {
    if (condition) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAILED %s:%d: %s\n", file, line, what);
    }
}
#define CHECK(condition) Check((condition), #condition, __FILE__, __LINE__)

constexpr char kWelcome[] = "Welcome aboard ! E=EVA 1,2=select UMmu A=Open/Close airlock S=info";
constexpr int kHudMessageX = 5;
constexpr int kHudMessageY = 150;  // (600 / 60) * 15

fs::path modulePath;
fs::path exitFixturePath;

// Loading runs the library entry (InitLib with the library's handle); the DLL exports exactly
// the three functions and needs no runtime DLL beside it; unloading calls the exit function.
void ModuleLoadAndUnload() {
    const int initCallsBefore = sim::LibraryCalls().initLibCalls;
    {
        sim::Simulator simulator;
        simulator.RegisterModule(test_support::kShipClass, modulePath);
        // Registering loads and unloads the library once to check it; the library is loaded
        // again, as in the simulator, while a vessel of its class exists.
        CHECK(GetModuleHandleW(modulePath.c_str()) == nullptr);
        simulator.CreateVessel("Q1", "Quillmar");
        const HMODULE loaded = GetModuleHandleW(modulePath.c_str());
        CHECK(loaded != nullptr);
        CHECK(sim::LibraryCalls().initLibCalls == initCallsBefore + 2);
        CHECK(sim::LibraryCalls().lastInitLibModule == loaded);
        if (loaded == nullptr) return;
        std::vector<std::string> exports = ExportedNames(loaded);
        std::sort(exports.begin(), exports.end());
        CHECK(exports == (std::vector<std::string>{"GetModuleVersion", "ovcExit", "ovcInit"}));
        using VersionFunction = int (*)();
        const auto version = reinterpret_cast<VersionFunction>(
            reinterpret_cast<void*>(GetProcAddress(loaded, "GetModuleVersion")));
        CHECK(version != nullptr && version() > 0);
        // Only system libraries and the host program: no compiler runtime DLL.
        const std::set<std::string> allowed = {"kernel32.dll", "msvcrt.dll", "gdi32.dll",
                                               "vesselsim.exe"};
        const std::vector<std::string> libraries = ImportedLibraries(loaded);
        for (const std::string& name : libraries) {
            if (allowed.count(name) == 0) std::printf("unexpected import: %s\n", name.c_str());
            CHECK(allowed.count(name) == 1);
        }
        CHECK(std::count(libraries.begin(), libraries.end(), "vesselsim.exe") == 1);
    }
    CHECK(GetModuleHandleW(modulePath.c_str()) == nullptr);

    // The exit function gets the library's own handle when the system unloads the library.
    sim::Simulator simulator;
    const HMODULE fixture = LoadLibraryW(exitFixturePath.c_str());
    CHECK(fixture != nullptr);
    if (fixture == nullptr) return;
    CHECK(sim::LibraryCalls().lastInitLibModule == fixture);
    oapiDebugString()[0] = '\0';
    CHECK(FreeLibrary(fixture));
    char expected[64];
    std::snprintf(expected, sizeof expected, "ExitModule %p;", static_cast<void*>(fixture));
    CHECK(std::string(oapiDebugString()) == expected);
}

// Two ships docked nose to nose; Pioneer's first crew member has a code that only a file of the
// crew ID folder defines.
test_support::ScenarioBuilder DockedShips() {
    test_support::ScenarioBuilder scenario;
    scenario.Environment(53850.5)
        .Focus("Pioneer")
        .Vessel("Pioneer", test_support::kShipClass,
                {"STATUS Orbiting Earth", "RPOS 6778000 0 0", "RVEL 0 7668.5 0", "AROT 0 0 0",
                 "DOCKINFO 0:0,Meridian", "UMMUCREW Div-Ada_Kerr-41-66-72",
                 "UMMUCREW Ck-Max_Poe-30-70-80", "UMMUCREW Qq-Lena_Ruiz-35-62-58"})
        .Vessel("Meridian", test_support::kShipClass,
                {"STATUS Orbiting Earth", "RPOS 6778000 0 414.4", "RVEL 0 7668.5 0", "AROT 0 180 0",
                 "DOCKINFO 0:0,Pioneer"});
    return scenario;
}

// The whole record of a hand-over file; zeros when the file holds no whole record.
crew_addon::HandOverRecord ReadRecord(const fs::path& file) {
    const std::optional<crew_addon::HandOverRecord> record = test_support::ReadRecord(file);
    CHECK(record.has_value());
    return record.value_or(crew_addon::HandOverRecord{});
}

// The module's crew manager finds the crew ID files with FindFirstFileA/FindNextFileA in the
// root's real folder, and writes the hand-over files "config\UMmutmp.cfg" (EVA) and
// "config\UMmutmpT.cfg" (transfer) through backslash paths, which the crew add-on reads back.
void CrewFilesThroughTheModule() {
    sim::Simulator simulator;
    for (const char* name :
         {"ummuX-diver-Div.cfg", "ummuY-cook-Ck.cfg", "readme.cfg", "a-b-Pilot.cfg"}) {
        test_support::WriteRootFile(simulator, std::string("config\\UMMUIdConfig\\") + name, "x");
    }
    simulator.RegisterModule(test_support::kShipClass, modulePath);
    DockedShips().Load(simulator, "docked.scn");
    simulator.Frame();

    // EVA at the free port 1: Pioneer's airlock is open.
    simulator.PressKey("Pioneer", "Shift+KP+");  // the airlock follows, open
    simulator.Frame();
    simulator.PressKey("Pioneer", "E");
    const crew_addon::HandOverRecord spawn = ReadRecord(test_support::SpawnFile(simulator));
    const std::string spawnName = test_support::FieldText(spawn.vesselName);
    const std::string spawnMesh = test_support::FieldText(spawn.meshName);
    std::printf("EVA hand-over record: %s, mesh %s\n", spawnName.c_str(), spawnMesh.c_str());
    // The selected member; the mesh for the code "Div" comes from a file of the folder alone.
    CHECK(spawnName == "UMmu_Div-Ada Kerr");
    CHECK(spawnMesh == "ummu/ummuX");
    CHECK(simulator.FindVessel("UMmu_Div-Ada_Kerr") != nullptr);

    // A transfer through port 0 to the docked Meridian, whose airlock is open.
    simulator.PressKey("Pioneer", "Shift+KP-");
    simulator.PressKey("Meridian", "A");
    simulator.Frame();
    simulator.PressKey("Pioneer", "E");
    const fs::path transferFile = test_support::TransferFile(simulator);
    CHECK(fs::exists(transferFile));
    const std::string transferName = test_support::FieldText(ReadRecord(transferFile).vesselName);
    std::printf("transfer hand-over record: %s\n", transferName.c_str());
    CHECK(transferName == "UMmu_Qq-Lena Ruiz");  // the selected member
    CHECK(simulator.FindVessel("UMmuTMeridian") != nullptr);
    simulator.Run(2.0);
    // The arrival takes the member in and deletes the file.
    CHECK(simulator.FindVessel("UMmuTMeridian") == nullptr);
    CHECK(!fs::exists(transferFile));
}

// The welcome message reaches the memory device context through the HUD's Sketchpad, which
// draws with gdi32's TextOutA: the recorded call is the one the Linux build records, and pixels
// changed in the message's row band only.
void HudTextDrawnByTextOutA() {
    sim::Simulator simulator;
    simulator.RegisterModule(test_support::kShipClass, modulePath);
    simulator.CreateVessel("Q1", "Quillmar");
    simulator.SetFocus(simulator.FindVessel("Q1"));
    simulator.Frame();
    const std::vector<sim::HudDrawCall> calls = simulator.HudDrawCalls();
    CHECK(calls.size() == 1);
    if (calls.size() != 1) return;
    CHECK(calls[0].x == kHudMessageX);
    CHECK(calls[0].y == kHudMessageY);
    CHECK(calls[0].text == kWelcome);
    CHECK(simulator.HudText("Q1") == kWelcome);

    const sim::os::HudCanvas& canvas = simulator.HudCanvas();
    const std::uint32_t* pixels = canvas.Pixels();
    CHECK(pixels != nullptr);
    if (pixels == nullptr) return;
    const int lineHeight = canvas.LineHeight();
    CHECK(lineHeight > 0);
    int lit = 0;
    int top = sim::os::HudCanvas::kHeight, bottom = -1, left = sim::os::HudCanvas::kWidth;
    for (int y = 0; y < sim::os::HudCanvas::kHeight; ++y) {
        for (int x = 0; x < sim::os::HudCanvas::kWidth; ++x) {
            if (pixels[y * sim::os::HudCanvas::kWidth + x] == 0) continue;
            ++lit;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
        }
    }
    std::printf("HUD pixels drawn: %d in rows %d to %d from column %d (line height %d)\n", lit, top,
                bottom, left, lineHeight);
    CHECK(lit > 100);
    CHECK(top >= kHudMessageY);
    CHECK(bottom < kHudMessageY + lineHeight);
    CHECK(left >= kHudMessageX);

    // Once the message time is over, the next frame leaves the canvas clear.
    simulator.SetStep(15.0);
    simulator.Frame();
    simulator.Frame();
    CHECK(simulator.HudText("Q1").empty());
    int still = 0;
    for (int i = 0; i < sim::os::HudCanvas::kWidth * sim::os::HudCanvas::kHeight; ++i) {
        if (pixels[i] != 0) ++still;
    }
    CHECK(still == 0);
}

struct TestCase {
    const char* name;
    void (*run)();
};
constexpr TestCase kTests[] = {
    {"module load and unload", ModuleLoadAndUnload},
    {"crew ID folder search and hand-over files", CrewFilesThroughTheModule},
    {"HUD text drawn by TextOutA", HudTextDrawnByTextOutA},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vesselsim MODULE_DLL EXIT_FIXTURE_DLL\n");
        return 2;
    }
    modulePath = fs::absolute(argv[1]);
    exitFixturePath = fs::absolute(argv[2]);
    for (const TestCase& test : kTests) {
        const int failedBefore = failed;
        try {
            test.run();
        } catch (const std::exception& error) {
            ++failed;
            std::printf("FAILED %s: %s\n", test.name, error.what());
        }
        std::printf("%s %s\n", failed == failedBefore ? "ok  " : "FAIL", test.name);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
