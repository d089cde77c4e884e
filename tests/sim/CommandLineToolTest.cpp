// vesselsim as a user runs it: exit status, transcript on standard output, errors on standard
// error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "sim/session/CommandLine.h"
#include "sim/session/Simulator.h"
#include "testing/RootFiles.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class VesselsimTool : public ::testing::Test {
  protected:
    VesselsimTool()
        : folder_(fs::temp_directory_path() / ("vesselsim-cli-" + std::to_string(::getpid()))) {
        fs::create_directories(folder_);
        Write("two.scn",
              "BEGIN_FOCUS\n Ship A\nEND_FOCUS\nBEGIN_SHIPS\nA:Rock\n RPOS 1 2 "
              "3\nEND\nB:Rock\nEND\nEND_SHIPS\n");
    }
    ~VesselsimTool() override { fs::remove_all(folder_); }

    void Write(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name) << text;
    }

    static std::string Slurp(const fs::path& path) { return test_support::ReadFile(path); }

    Outcome Run(const std::string& arguments) {
        const std::string command = "cd '" + folder_.string() + "' && '" + QM_VESSELSIM + "' " +
                                    arguments + " >out.txt 2>err.txt";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(folder_ / "out.txt"),
                Slurp(folder_ / "err.txt")};
    }

    fs::path folder_;
};

TEST_F(VesselsimTool, AModuleFaultStopsTheRunWithAMessageAndStatus3) {
    Write("maker.scn", "BEGIN_SHIPS\nMaker:Probe\n AT 0 create Made Widget\nEND\nEND_SHIPS\n");
    Write("s.script", "run 0.1\nprint Maker\n");
    const Outcome outcome =
        Run(std::string("--module Probe=") + QM_PROBE_MODULE + " maker.scn s.script");
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_NE(outcome.err.find("stopped"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("s.script:1"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("Widget"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out.find("\"name\""), std::string::npos) << "nothing ran after the stop";
}

TEST_F(VesselsimTool, RunsAScriptAndPrintsTheTranscript) {
    Write("s.script", "run 1\ncreate C UMmu\nprint A\nsave saved.scn\n");
    const Outcome outcome = Run("--seed 3 --step 0.1 two.scn s.script");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    // The scenario's vessels and the one the script makes lie inside Earth: vesselsim moves them
    // out as the simulator does.
    EXPECT_EQ(outcome.out.find("[0.00] created A Rock\n[0.00] moved A from inside Earth to 0 0 "
                               "7008111\n[0.00] created B Rock\n[0.00] moved B from inside Earth "
                               "to 0 0 7008111\n[1.00] created C UMmu\n[1.00] moved C from inside "
                               "Earth to 0 0 7008111\n[1.00] {"),
              0u)
        << outcome.out;
    EXPECT_NE(outcome.out.find("\"name\":\"A\""), std::string::npos);
    EXPECT_TRUE(fs::exists(folder_ / "saved.scn"));  // relative to where it was started
}

TEST_F(VesselsimTool, WithoutAScriptRunsTwentySecondsAndPrintsEveryVessel) {
    const Outcome outcome = Run("two.scn");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("[20.00] {"), std::string::npos);
    EXPECT_NE(outcome.out.find("\"name\":\"B\""), std::string::npos);
}

TEST_F(VesselsimTool, BadInputExitsWithStatusTwoBeforeRunning) {
    Write("bad.script", "run 1\nfly away\n");
    Outcome outcome = Run("two.scn bad.script");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");  // nothing ran, nothing was created
    EXPECT_NE(outcome.err.find("bad.script:2: unknown command 'fly'"), std::string::npos)
        << outcome.err;

    Write("late.script", "run 1\nkey Ghost E\n");
    outcome = Run("two.scn late.script");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("late.script:2: no vessel named Ghost"), std::string::npos)
        << outcome.err;

    for (const char* arguments :
         {"", "missing.scn", "two.scn missing.script", "--seed x two.scn",
          "--module Quillmar two.scn", "--module X=nothing.so two.scn", "--bogus 1 two.scn"}) {
        outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.err.find("vesselsim: "), std::string::npos) << arguments;
    }
}

TEST(CommandLineParsing, OptionsAndPositionals) {
    const auto line = sim::ParseCommandLine({"--root", "r", "--seed=9", "--step", "0.5", "--module",
                                             "A=a.so", "--module=B=b.so", "s.scn", "s.script"});
    EXPECT_EQ(line.root, "r");
    EXPECT_EQ(line.seed, 9u);
    EXPECT_EQ(line.step, 0.5);
    ASSERT_EQ(line.modules.size(), 2u);
    EXPECT_EQ(line.modules[1].first, "B");
    EXPECT_EQ(line.modules[1].second, "b.so");
    EXPECT_EQ(line.scenario, "s.scn");
    EXPECT_EQ(line.script, fs::path("s.script"));
    EXPECT_THROW(sim::ParseCommandLine({"a", "b", "c"}), sim::InputError);
    EXPECT_THROW(sim::ParseCommandLine({"--step", "0", "a"}), sim::InputError);
    EXPECT_THROW(sim::ParseCommandLine({"a", "--root"}), sim::InputError);
}

TEST(QuillmarModule, LoadsThroughTheStandIn) {
    sim::Simulator simulator;
    ASSERT_NO_THROW(simulator.RegisterModule("Quillmar", QM_MODULE_PATH));
    ASSERT_NE(simulator.CreateVessel("Pioneer", "Quillmar"), nullptr);
    simulator.Run(0.1);
    EXPECT_EQ(simulator.Describe("Pioneer")["class"], "Quillmar");
}

}  // namespace
