// The wildcard file search the crew ID table is built with: names are matched without regard to
// letter case, as Windows matches them, so one folder gives the same crew meshes on every system.
#include <algorithm>
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

}  // namespace
}  // namespace crew::test
