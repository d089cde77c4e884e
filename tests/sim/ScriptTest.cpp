// Scripts: parsing with file:line errors before anything runs, and each command's effect.
#include <gtest/gtest.h>

#include <cmath>

#include "host/HostApi.h"
#include "sim/session/ScriptRunner.h"
#include "tests/sim/SimulatorFixture.h"

namespace {

TEST(ScriptParsing, MalformedLinesNameFileAndLine) {
    struct Case {
        const char* line;
        const char* message;
    };
    constexpr Case kCases[] = {
        {"fly Ship", "unknown command 'fly'"},
        {"run", "usage: run SECONDS"},
        {"run 1 2", "usage: run SECONDS"},
        {"run soon", "'soon' is not a number"},
        {"run -1", "run needs a time of 0 seconds or more"},
        {"run nan", "'nan' is not a number"},
        {"step 0", "step needs a frame length above 0"},
        {"warp -2", "warp needs a factor above 0"},
        {"key Ship F1", "'F1' is not a key"},
        {"dock A 1 B", "usage: dock VESSEL PORT OTHER OTHERPORT"},
        {"dock A -1 B 0", "'-1' is not a whole number"},
        {"undock A 1.5", "'1.5' is not a whole number"},
        {"thrust Ship 15 1", "thruster group type must be 0 to 14"},
        {"thrust Ship 3 1.5", "thrust level must be 0 to 1"},
        {"place A B 1 2", "usage: place VESSEL OTHER X Y Z"},
        {"angvel A 1 2 inf", "'inf' is not a number"},
        {"print", "usage: print VESSEL"},
        {"save a b", "usage: save FILE"},
    };
    for (const auto& c : kCases) {
        const std::string text = std::string("# comment\n\nrun 1\n  ") + c.line + "\nrun 1\n";
        try {
            sim::ParseScript(text, "s.script");
            ADD_FAILURE() << "no error for " << c.line;
        } catch (const sim::InputError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind("s.script:4: ", 0), 0u) << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
        }
    }
}

TEST(ScriptParsing, CommentsAndBlankLinesAreSkipped) {
    const auto script = sim::ParseScript("# a\n\n   \n  # b\nrun 2\r\nprint Ship\n", "s");
    ASSERT_EQ(script.commands.size(), 2u);
    EXPECT_EQ(script.commands[0].line, 5);
    EXPECT_EQ(script.commands[0].numbers, std::vector<double>{2.0});
    EXPECT_EQ(script.commands[1].words, std::vector<std::string>{"Ship"});
}

using Script = SimulatorTest;

TEST_F(Script, RunStepAndWarpAdvanceTime) {
    sim.Execute("run 1");
    EXPECT_NEAR(sim.SimTime(), 1.0, 1e-9);  // 50 frames of 0.02
    sim.Execute("step 0.3");
    sim.Execute("run 1");  // round(1 / 0.3) = 3 frames
    EXPECT_NEAR(sim.SimTime(), 1.9, 1e-9);
    sim.Execute("run 0");  // at least one frame
    EXPECT_NEAR(sim.SimTime(), 2.2, 1e-9);
    sim.Execute("warp 4");
    const double before = oapiGetSysTime();
    sim.Execute("run 1.2");
    EXPECT_NEAR(oapiGetSysTime() - before, 0.3, 1e-9);
    EXPECT_NO_THROW(sim.Execute("# nothing"));
}

TEST_F(Script, VesselCommands) {
    sim.Execute("create Ship Probe");
    sim.Execute("create Rock1 Rock");
    sim.Execute("create Rock2 Rock");
    EXPECT_EQ(Count("created Ship Probe"), 1);
    sim.Execute("focus Rock2");
    EXPECT_EQ(sim.Focus(), sim.FindVessel("Rock2"));

    sim.Execute("dock Ship 1 Rock1 0");
    EXPECT_EQ(sim.Describe("Ship")["docks"][1]["docked"], "Rock1");
    sim.Execute("undock Rock1 0");
    EXPECT_TRUE(sim.Describe("Ship")["docks"][1]["docked"].is_null());
    EXPECT_NO_THROW(sim.Execute("undock Ship 1"));  // already free

    VESSEL* rock1 = Vessel("Rock1");
    rock1->SetRotationMatrix({0, 0, 1, 0, 1, 0, -1, 0, 0});  // the nose points along global +x
    sim.Execute("angvel Rock1 0 0 0");
    sim.Execute("place Rock2 Rock1 0 0 10");
    VECTOR3 inRock1{};
    VECTOR3 rock2Pos{};
    oapiGetGlobalPos(sim.FindVessel("Rock2"), &rock2Pos);
    rock1->Global2Local(rock2Pos, inRock1);
    EXPECT_NEAR(inRock1.z, 10.0, 1e-12);
    EXPECT_NEAR(rock2Pos.x, 10.0, 1e-12);

    sim.Execute("angvel Rock2 0.1 -0.2 0.3");
    EXPECT_EQ(sim.Describe("Rock2")["angvel"], nlohmann::json::array({0.1, -0.2, 0.3}));

    sim.Execute("print Rock1");
    EXPECT_EQ(nlohmann::json::parse(sim.Transcript().back()), sim.Describe("Rock1"));

    sim.Execute("delete Rock2");
    EXPECT_EQ(sim.FindVessel("Rock2"), nullptr);
    EXPECT_EQ(Count("deleted Rock2"), 1);
}

TEST_F(Script, ThrustSetsTheGroupsLevel) {
    sim.Execute("create Ship Rock");
    VESSEL* ship = Vessel("Ship");
    ship->SetEmptyMass(10.0);
    THRUSTER_HANDLE t = ship->CreateThruster({0, 0, 0}, {0, 0, 1}, 20.0);
    ship->CreateThrusterGroup(&t, 1, THGROUP_MAIN);
    sim.Execute("thrust Ship 0 0.5");
    sim.Execute("run 1");
    EXPECT_NEAR(sim.Describe("Ship")["vel"][2].get<double>(), 1.0, 1e-9);
    sim.Execute("thrust Ship 2 1");  // a group the ship lacks: nothing
    sim.Execute("thrust Ship 0 0");
    sim.Execute("run 1");
    EXPECT_NEAR(sim.Describe("Ship")["vel"][2].get<double>(), 1.0, 1e-9);
}

TEST_F(Script, SaveWritesTheScenario) {
    sim.Execute("create Ship Rock");
    sim.Execute("save saved.scn");
    EXPECT_NE(ReadFile(sim.Root() / "saved.scn").find("Ship:Rock\n"), std::string::npos);
}

TEST_F(Script, RunTimeErrorsNameFileAndLine) {
    const auto file = WriteFile("bad.script", "create Ship Rock\nrun 0.1\n\nkey Ghost E\nrun 1\n");
    try {
        sim.RunScript(file);
        ADD_FAILURE() << "no error";
    } catch (const sim::InputError& error) {
        EXPECT_EQ(std::string(error.what()), file.string() + ":4: no vessel named Ghost");
    }
    EXPECT_NEAR(sim.SimTime(), 0.1, 1e-9);  // stopped at the failing line
    struct Case {
        std::string command;
        const char* message;
    };
    const Case kCases[] = {
        {"create Ship Rock", "a vessel named Ship exists already"},
        {"create Bad:Name Rock", "holds a blank, tab, ':' or ';'"},
        {"create " + std::string(256, 'n') + " Rock", "vessel name longer than 255 characters"},
        {"create Bad\x01Name Rock", "vessel name holds a control character"},
        {"delete Ghost", "no vessel named Ghost"},
        {"focus Ghost", "no vessel named Ghost"},
        {"dock Ship 0 Ship 1", "cannot dock to itself"},
        {"walk Ship Ship", "Ship is not a crew vessel of class UMmu"},
        {"place Ghost Ship 0 0 0", "no vessel named Ghost"},
        {"thrust Ghost 0 1", "no vessel named Ghost"},
        {"print Ghost", "no vessel named Ghost"},
        {"save /no/such/folder/x.scn", "cannot write the scenario file"},
    };
    for (const auto& c : kCases) {
        try {
            sim.Execute(c.command);
            ADD_FAILURE() << "no error for " << c.command;
        } catch (const sim::InputError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
    EXPECT_THROW(sim.RunScript(sim.Root() / "missing.script"), sim::InputError);
}

}  // namespace
