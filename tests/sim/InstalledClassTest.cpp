// Vessel classes and module libraries as the simulator has them: a module may create a vessel
// only of a class installed in the root (a configuration file, or a registered module), else
// the run stops naming the class; a module library is loaded while vessels of its class exist.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/HostApi.h"
#include "sim/host-side/HostStop.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

using InstalledClass = SimulatorTest;

TEST_F(InstalledClass, AModuleCreatesOnlyVesselsOfInstalledClasses) {
    struct Case {
        const char* configFile;  // written into the root; null: none
        bool created;
    };
    const Case cases[] = {
        {"config/Vessels/Widget.cfg", true},
        {"CONFIG/VESSELS/widget.CFG", true},  // names are matched ignoring letter case
        {"Config/Widget.cfg", true},
        {"config/Other/Widget.cfg", false},
        {"config/Vessels/Widget.cfg.bak", false},
        {nullptr, false},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.configFile ? c.configFile : "no file");
        std::filesystem::remove_all(sim.Root() / "config" / "Vessels");
        std::filesystem::remove_all(sim.Root() / "CONFIG");
        std::filesystem::remove_all(sim.Root() / "Config");
        std::filesystem::remove(sim.Root() / "config" / "Widget.cfg");
        std::filesystem::remove_all(sim.Root() / "config" / "Other");
        if (c.configFile != nullptr) {
            std::filesystem::create_directories((sim.Root() / c.configFile).parent_path());
            WriteFile(c.configFile, "ClassName = Widget\n");
        }
        const std::string maker = "Maker" + std::to_string(++number);
        const std::string made = "Made" + std::to_string(number);
        LoadShips(maker + ":Probe\n AT 0 create " + made + " Widget\nEND\n");
        if (c.created) {
            sim.Frame();
            EXPECT_NE(sim.FindVessel(made), nullptr);
        } else {
            try {
                sim.Frame();
                ADD_FAILURE() << "no stop";
            } catch (const sim::HostStop& stop) {
                const std::string message = stop.what();
                EXPECT_NE(message.find("oapiCreateVessel"), std::string::npos) << message;
                EXPECT_NE(message.find("Widget"), std::string::npos) << message;
            }
            EXPECT_EQ(sim.FindVessel(made), nullptr);
        }
        sim.DeleteVessel(sim.FindVessel(maker));
    }
}

TEST_F(InstalledClass, ModuleClassesAndTheCrewClassAreInstalledScriptsAndScenariosMayUseAny) {
    // A registered module's class, and the crew class of the sample root (config/Vessels).
    LoadShips("Maker:Probe\n AT 0 create Child Probe\n AT 0 create UMmu_Ann UMmu\nEND\n");
    sim.Frame();
    EXPECT_NE(sim.FindVessel("Child"), nullptr);
    EXPECT_NE(sim.FindVessel("UMmu_Ann"), nullptr);
    // Not a module's doing: an inert vessel, as before.
    sim.Execute("create Thing Gadget");
    EXPECT_EQ(sim.Describe("Thing")["class"], "Gadget");
    LoadShips("Other:Gizmo\nEND\n");
    EXPECT_EQ(sim.Describe("Other")["class"], "Gizmo");
    // The fault-injection switch refuses before the class is looked at.
    sim.Faults().refuseCreateVessel = true;
    VESSELSTATUS status{};
    EXPECT_EQ(oapiCreateVessel("Refused", "Gadget", status), nullptr);
}

TEST_F(InstalledClass, AModuleLibraryIsLoadedWhileVesselsOfItsClassExist) {
    const int before = sim::LibraryCalls().initLibCalls;
    LoadShips("A:Probe\nEND\nB:Probe\nEND\nRock1:Rock\nEND\n");
    EXPECT_EQ(sim::LibraryCalls().initLibCalls, before + 1) << "loaded once for both";
    oapiDeleteVessel(sim.FindVessel("A"));
    sim.Frame();
    sim.Execute("create C Probe");
    EXPECT_EQ(sim::LibraryCalls().initLibCalls, before + 1) << "B kept it loaded";
    oapiDeleteVessel(sim.FindVessel("B"));
    oapiDeleteVessel(sim.FindVessel("C"));
    sim.Frame();
    EXPECT_EQ(sim::LibraryCalls().initLibCalls, before + 1);
    sim.Execute("create D Probe");
    EXPECT_EQ(sim::LibraryCalls().initLibCalls, before + 2) << "loaded anew after the last went";
}

}  // namespace
