// Start-up of a crew manager: its results, the version file, the crew ID table built from the
// crew ID folder, the crew vessel mesh, and the timed warnings on the host's debug line.
#include <filesystem>
#include <set>
#include <string>

#include "CrewFixture.h"
#include "crew/EvaMeshName.h"

namespace crew::test {
namespace {

constexpr char kIdFolder[] = "config\\UMMUIdConfig\\";
constexpr char kAddonName[] = "MyAddonName";

class CrewStartupTest : public CrewTest {
  protected:
    void AddIdFile(const std::string& name) { WriteRootFile(kIdFolder + name, ""); }
    void SetVersionFile(const char* content) {
        if (content == nullptr) {
            std::filesystem::remove(RootFile(crew_addon::kVersionFile));
        } else {
            WriteRootFile(crew_addon::kVersionFile, content);
        }
        TheModuleState().addonVersion = 0.0f;  // read again
    }
    std::string DebugLine() { return oapiDebugString(); }

    // The entries of the crew ID table from `first` on, as code/mesh/function texts.
    std::set<std::string> Entries(int first, int last) {
        std::set<std::string> entries;
        const crew::IdTable& table = crew::CrewIdTable();
        for (int i = first; i <= last; ++i) {
            entries.insert(std::string(table.idCodes[i]) + "/" + table.idMeshes[i] + "/" +
                           table.idFunctions[i]);
        }
        return entries;
    }
};

TEST_F(CrewStartupTest, InitializeStartsTheManagerWithItsInitialValues) {
    CrewManager crew;
    EXPECT_EQ(crew.Initialize(nullptr), StartResult::kNoVessel);
    EXPECT_EQ(crew.LinkIndex(), -1);

    const OBJHANDLE ship = Ship("Ship");
    sim.SetSystemTime(50.0);
    std::filesystem::remove(RootFile(crew_addon::kModuleFile));
    EXPECT_EQ(crew.Initialize(ship), StartResult::kAddonMissing);
    EXPECT_FALSE(crew.Started());
    EXPECT_EQ(crew.LinkIndex(), -1) << "a failed start holds no record";
    EXPECT_EQ(crew.WarningsUntil(), 70.0);
    EXPECT_FALSE(crew.AddonOutdated());
    crew.ShowWarnings(kAddonName);
    EXPECT_EQ(DebugLine(), "MyAddonName ERROR UMMU 2.0 not properly initialised in your code.");

    WriteRootFile(crew_addon::kModuleFile, "module");
    const int index = crew::LinkCount();
    ASSERT_EQ(crew.Initialize(ship), StartResult::kStarted);
    EXPECT_TRUE(crew.Started() && !crew.Ready());
    EXPECT_EQ(crew.LinkIndex(), index);
    EXPECT_EQ(crew.WarningsUntil(), 0.0) << "the sample root's add-on is 2.0";
    EXPECT_EQ(LinkOf(crew).FreeSeats(), 1000) << "nothing published yet";
    EXPECT_TRUE(LinkOf(crew).DeletesArrivalsAtOnce());

    // Once it has an airlock it offers the eight seats of a fresh start; starting again empties
    // the roster and takes the airlock away.
    ASSERT_EQ(crew.DefineAirlock(1, -1, 1, -1, 1, -1, 1), CrewManager::Result::kDone);
    EXPECT_EQ(LinkOf(crew).FreeSeats(), 8);
    ASSERT_EQ(crew.AddMember("Jo", 30, 60, 70, "Ab"), CrewManager::Result::kDone);
    ASSERT_EQ(crew.Initialize(ship), StartResult::kStarted);
    EXPECT_TRUE(crew.Started() && !crew.Ready());
    ASSERT_EQ(crew.DefineAirlock(1, -1, 1, -1, 1, -1, 1), CrewManager::Result::kDone);
    EXPECT_EQ(crew.GetCrewCount(), 0);
}

TEST_F(CrewStartupTest, AMissingOrOldVersionFileStartsTheWarnings) {
    struct Case {
        const char* content;  // null: no version file
        float version;
        bool outdated;
    };
    const Case cases[] = {
        {"1.5\n", 1.5f, true},
        {"2\n", 2.0f, false},
        {"2.1", 2.1f, false},
        {nullptr, -1.0f, true},
        {"  +2.5 beta\n", 2.5f, false},
        {"beta 3\n", 0.0f, true},
        {"1.9\n3.0\n", 1.9f, true},
        {"0.2e1", 2.0f, false},
        // A point is the decimal mark whatever the locale; an exponent needs digits; a number
        // beyond a float's range counts as none.
        {".5", 0.5f, true},
        {"2,5", 2.0f, false},
        {"2e\n", 2.0f, false},
        {"25e-1", 2.5f, false},
        {"1e39", 0.0f, true},
        {"-2.5", -2.5f, true},
    };
    sim.SetSystemTime(10.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content ? c.content : "no file");
        SetVersionFile(c.content);
        CrewManager crew;
        ASSERT_EQ(crew.Initialize(Ship("S" + std::to_string(&c - cases))), StartResult::kStarted);
        EXPECT_EQ(crew.AddonOutdated(), c.outdated);
        EXPECT_EQ(crew.WarningsUntil(), c.outdated ? 30.0 : 0.0);
        SetVersionFile(c.content);
        EXPECT_EQ(crew.ReadAddonVersion(), c.version);
    }
    // A number read is kept for the module's life; a missing file is tried again.
    SetVersionFile("2.2");
    CrewManager crew;
    EXPECT_EQ(crew.ReadAddonVersion(), 2.2f);
    WriteRootFile(crew_addon::kVersionFile, "1.0");
    EXPECT_EQ(crew.ReadAddonVersion(), 2.2f);
    SetVersionFile(nullptr);
    EXPECT_EQ(crew.ReadAddonVersion(), -1.0f);
    WriteRootFile(crew_addon::kVersionFile, "1.0");
    EXPECT_EQ(crew.ReadAddonVersion(), 1.0f);
}

TEST_F(CrewStartupTest, CrewIdFileNamesHaveTheirForm) {
    struct Case {
        const char* fileName;
        bool valid;
        const char* code = "";
        const char* mesh = "";
        const char* function = "";
    };
    const Case cases[] = {
        {"ummuX-diver-Div.cfg", true, "Div", "ummu/ummuX", "diver"},
        {"ummuY-cook-Ck.cfg", true, "Ck", "ummu/ummuY", "cook"},
        {"abcdefghijklmnopqr-f-Abcd.cfg", true, "Abcd", "ummu/abcdefghijklmnopqr", "f"},
        {"m-abcdefghijklmnopqrstuvwxyz1234-Fn.cfg", true, "Fn", "ummu/m",
         "abcdefghijklmnopqrstuvwx"},
        {"m--Fn.cfg", true, "Fn", "ummu/m", ""},
        {"abcdefghijklmnopqrs-f-Ab.cfg", false},  // mesh part of 19 characters
        {"readme.cfg", false},
        {"a-b-Pilot.cfg", false},
        {"a-b-P.cfg", false},
        {"a-b.cfg", false},
        {"a-b-Ab", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        crew::IdEntry entry{};
        ASSERT_EQ(crew::ParseIdFileName(c.fileName, entry), c.valid);
        if (!c.valid) continue;
        EXPECT_STREQ(entry.code, c.code);
        EXPECT_STREQ(entry.mesh, c.mesh);
        EXPECT_STREQ(entry.function, c.function);
    }
}

TEST_F(CrewStartupTest, IdTableTakesTheFolderThenTheBuiltIns) {
    for (const char* name : {"ummuX-diver-Div.cfg", "ummuY-cook-Ck.cfg", "readme.cfg",
                             "a-b-Pilot.cfg", "ummuZ-x-Zz.txt"}) {
        AddIdFile(name);
    }
    crew::LoadCrewIdTable();
    const crew::IdTable& table = crew::CrewIdTable();
    ASSERT_EQ(table.idCount, 19);
    EXPECT_EQ(Entries(0, 0), (std::set<std::string>{"/ummu/ummu/passenger"}));
    EXPECT_EQ(Entries(1, 2), (std::set<std::string>{"Div/ummu/ummuX/diver", "Ck/ummu/ummuY/cook"}));
    EXPECT_EQ(Entries(3, 3), (std::set<std::string>{"Capt/ummu/ummup/pilot"}));
    EXPECT_EQ(Entries(18, 18), (std::set<std::string>{"Spe/ummu/ummuTECH/mission specialist"}));
    EXPECT_STREQ(table.idMeshes[19], "");

    // With 13 files the built-ins still follow; with 14 they are left out.
    for (int i = 0; i < 11; ++i)
        AddIdFile("m" + std::to_string(i) + "-f-C" + std::to_string(i) + ".cfg");
    crew::LoadCrewIdTable();
    EXPECT_EQ(table.idCount, 14 + 16);
    AddIdFile("m-f-Last.cfg");
    crew::LoadCrewIdTable();
    EXPECT_EQ(table.idCount, 15);
    CrewManager crew;
    ASSERT_EQ(crew.Initialize(Ship("Ship")), StartResult::kStarted);
    crew.SelectEvaMesh("Tech");
    EXPECT_STREQ(TheModuleState().evaMeshName, "ummu/ummu");
    crew.SelectEvaMesh("div");
    EXPECT_STREQ(TheModuleState().evaMeshName, "ummu/ummuX");
}

TEST_F(CrewStartupTest, OnlyTheFirstManagerOfTheModuleBuildsTheTable) {
    CrewManager first;
    ASSERT_EQ(first.Initialize(Ship("First")), StartResult::kStarted);
    ASSERT_GT(crew::LinkCount(), 0);
    AddIdFile("ummuZ-x-Zz.cfg");
    CrewManager second;
    ASSERT_EQ(second.Initialize(Ship("Second")), StartResult::kStarted);
    EXPECT_EQ(crew::FindIdMesh("Zz"), nullptr) << "the folder is not read again";
}

TEST_F(CrewStartupTest, EvaMeshFollowsTheCodeUnlessOneMeshIsSet) {
    const auto crew = Crew(Ship("Ship"));
    struct Case {
        const char* code;
        const char* mesh;
    };
    const Case byCode[] = {{"sci", "ummu/ummuSCI"},   {"CAPT", "ummu/ummup"},
                           {"Tech", "ummu/ummuTECH"}, {"Xyz", "ummu/ummu"},
                           {"", "ummu/ummu"},         {nullptr, "ummu/ummu"}};
    for (const Case& c : byCode) {
        crew->SelectEvaMesh(c.code);
        EXPECT_STREQ(TheModuleState().evaMeshName, c.mesh) << (c.code ? c.code : "null");
    }
    ASSERT_EQ(crew->SetEvaMesh("mmu"), CrewManager::Result::kDone);
    for (const Case& c : byCode) {
        crew->SelectEvaMesh(c.code);
        EXPECT_STREQ(TheModuleState().evaMeshName, "mmu");
    }
    ASSERT_EQ(crew->SetEvaMesh("ummu\\ummu"), CrewManager::Result::kDone);
    crew->SelectEvaMesh("sci");
    EXPECT_STREQ(TheModuleState().evaMeshName, "ummu/ummuSCI")
        << "the setting is compared ignoring case";
}

TEST_F(CrewStartupTest, WarningsShowAtTheirSystemTimes) {
    SetVersionFile("1.5");
    sim.SetSystemTime(92.0);
    const auto crew = Crew(Ship("Ship"));
    ASSERT_EQ(crew->WarningsUntil(), 112.0);
    struct Case {
        double now;
        const char* line;
    };
    const Case cases[] = {
        {95.0,
         "MyAddonName requires the crew add-on, version 2.0 or higher. Download at the crew "
         "add-on's download page (17)"},
        {100.0, "Your version of UMMU is outdated (12)"},
        {104.9, "Your version of UMMU is outdated (7)"},
        {105.5,
         "MyAddonName requires the crew add-on, version 2.0 or higher. Download at the crew "
         "add-on's download page (6)"},
        {109.25, "Your version of UMMU is outdated (3)"},
        {109.8, ""},
        {111.7, "Your version of UMMU is outdated (0)"},
        {112.5, ""},
    };
    for (const Case& c : cases) {
        sim.SetSystemTime(c.now);
        std::snprintf(oapiDebugString(), 8, "stale");
        crew->ShowWarnings(kAddonName);
        EXPECT_EQ(DebugLine(), c.line) << "at " << c.now;
    }
    EXPECT_EQ(crew->WarningsUntil(), -1.0) << "ended for good";
    std::snprintf(oapiDebugString(), 8, "other");
    crew->ShowWarnings(kAddonName);
    EXPECT_EQ(DebugLine(), "other") << "no longer touched";

    SetVersionFile("2.0");
    const auto current = Crew(Ship("Current"));
    current->ShowWarnings(kAddonName);
    EXPECT_EQ(DebugLine(), "other");

    // The longest name a ship can hand in fills the host's line and is cut there.
    SetVersionFile("1.5");
    const auto longer = Crew(Ship("Longer"));
    sim.SetSystemTime(longer->WarningsUntil() - 19.0);
    const std::string longName(kDebugStringSize + 40, 'N');
    longer->ShowWarnings(longName.c_str());
    EXPECT_EQ(DebugLine(), longName.substr(0, kDebugStringSize - 1));
}

}  // namespace
}  // namespace crew::test
