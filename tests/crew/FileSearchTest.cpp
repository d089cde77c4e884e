// Files of the root found as Windows finds them, without regard to letter case: the wildcard
// search the crew ID table is built with, every path the module opens, and a root laid out with an
// installation's own capitals, so that one folder gives the same files on every system.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "CrewFixture.h"

namespace crew::test {
namespace {

constexpr char kFolder[] = "config\\UMMUIdConfig\\";

class FileSearchTest : public CrewTest {
  protected:
    // The names a search with the pattern finds, in any order.
    static std::set<std::string> Found(const std::string& pattern) {
        std::set<std::string> names;
        WIN32_FIND_DATAA found{};
        const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            names.insert(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
};

TEST_F(FileSearchTest, PatternsMatchWithoutRegardToLetterCase) {
    for (const char* name : {"ummuZ-zoo-Zz.CFG", "lower.cfg", "Mixed.Cfg", "other.txt", "CFG"}) {
        WriteRootFile(std::string(kFolder) + name, "");
    }
    struct Case {
        std::string pattern;
        std::set<std::string> names;
    };
    const Case cases[] = {
        {"*.cfg", {"ummuZ-zoo-Zz.CFG", "lower.cfg", "Mixed.Cfg"}},
        {"*.CFG", {"ummuZ-zoo-Zz.CFG", "lower.cfg", "Mixed.Cfg"}},
        {"UMMUZ-*", {"ummuZ-zoo-Zz.CFG"}},
        {"mixed.cfg", {"Mixed.Cfg"}},
        {"?fg", {"CFG"}},
        {"*.TXT", {"other.txt"}},
        {"*.dat", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(Found(kFolder + c.pattern), c.names);
    }
}

TEST_F(FileSearchTest, CrewIdFilesOfAnyLetterCaseEnterTheTable) {
    WriteRootFile(std::string(kFolder) + "ummuZ-zoo-Zz.CFG", "");
    crew::LoadCrewIdTable();
    const char* mesh = crew::FindIdMesh("Zz");
    ASSERT_NE(mesh, nullptr);
    EXPECT_STREQ(mesh, "ummu/ummuZ");
}

// What the platform layer opens for a path, relative to the root: the path as spelled when it
// exists, else an existing file whose elements differ only in letter case, else (a file to be
// made) the folder found so with the last element as spelled.
TEST_F(FileSearchTest, PathsAreFoundWithoutRegardToLetterCase) {
    // Made exactly as spelled: the sample root has "config" already.
    for (const char* file : {"Config/UMmutmpT.cfg", "Meshes/UMmu/Other.DTF", "config/Vessels/A.cfg",
                             "both/lower.txt", "Both/upper.txt"}) {
        std::filesystem::create_directories((sim.Root() / file).parent_path());
        std::fclose(std::fopen((sim.Root() / file).c_str(), "wb"));
    }
    std::filesystem::create_directories(sim.Root() / "Config/Empty");
    struct Case {
        const char* path;
        const char* opened;
    };
    const Case cases[] = {
        {"Config\\UMmutmpT.cfg", "Config/UMmutmpT.cfg"},
        {"config\\UMmutmpT.cfg", "Config/UMmutmpT.cfg"},
        {"CONFIG\\ummutmpt.CFG", "Config/UMmutmpT.cfg"},
        {"meshes\\ummu\\other.dtf", "Meshes/UMmu/Other.DTF"},
        {"config\\Vessels\\A.cfg", "config/Vessels/A.cfg"},
        // "both" and "Both" side by side: the one that holds the file.
        {"both\\upper.txt", "Both/upper.txt"},
        {"BOTH\\lower.txt", "both/lower.txt"},
        // A file to be made goes into the folder that is there.
        {"config\\empty\\New.cfg", "Config/Empty/New.cfg"},
        {"Nowhere\\New.cfg", "Nowhere/New.cfg"},
        {"./config/../CONFIG/UMmutmpT.cfg", "./config/../Config/UMmutmpT.cfg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char opened[MAX_PATH];
        ASSERT_TRUE(platform::NativePath(c.path, opened, sizeof opened));
        EXPECT_STREQ(opened, c.opened);
    }
    // Found from an absolute path too, and opened, written and removed where it is.
    const std::string absolute = sim.Root().string() + "/CONFIG/ummutmpt.cfg";
    std::FILE* file = platform::OpenFile(absolute.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("record", file);
    std::fclose(file);
    EXPECT_EQ(test_support::ReadFile(sim.Root() / "Config/UMmutmpT.cfg"), "record");
    EXPECT_FALSE(std::filesystem::exists(sim.Root() / "CONFIG"));
    EXPECT_TRUE(platform::RemoveFile("config\\ummutmpt.cfg"));
    EXPECT_FALSE(std::filesystem::exists(sim.Root() / "Config/UMmutmpT.cfg"));

    // A path longer than the buffer is refused, the buffer terminated.
    char tiny[8];
    EXPECT_FALSE(platform::NativePath("config\\UMmutmpT.cfg", tiny, sizeof tiny));
    EXPECT_EQ(tiny[0], '\0');
}

// A root laid out as an installation has it, with its capitals: the crew add-on's module, its
// version file and the crew ID folder are found, and the manager starts without a warning.
TEST_F(FileSearchTest, AnInstallationsCapitalsStartTheCrewManager) {
    for (const auto& [from, to] : {std::pair{"config", "Config"}, std::pair{"modules", "Modules"},
                                   std::pair{"meshes", "Meshes"}}) {
        std::filesystem::rename(sim.Root() / from, sim.Root() / to);
    }
    std::filesystem::rename(sim.Root() / "Config/UMMUIdConfig", sim.Root() / "Config/UmmuIdConfig");
    WriteRootFile("Config/UmmuIdConfig/ummuZ-zoo-Zz.cfg", "");
    WriteRootFile("Meshes/UMmu/ver.dtf", "2.1\n");

    CrewManager crew;
    ASSERT_EQ(crew.Initialize(Ship("Ship")), StartResult::kStarted);
    EXPECT_FALSE(crew.AddonOutdated());
    EXPECT_EQ(crew.WarningsUntil(), 0.0);
    EXPECT_EQ(crew.ReadAddonVersion(), 2.1f);
    crew::LoadCrewIdTable();
    const char* mesh = crew::FindIdMesh("Zz");
    ASSERT_NE(mesh, nullptr);
    EXPECT_STREQ(mesh, "ummu/ummuZ");
}

}  // namespace
}  // namespace crew::test
