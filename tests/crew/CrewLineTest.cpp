// Crew lines of the scenario: the value a member is written as, and what a line gives back.
#include <gtest/gtest.h>

#include <string>

#include "crew/CrewLine.h"

namespace {

struct Member {
    std::string idCode;
    std::string name;
    int age;
    int pulse;
    int weight;
};

crew::CrewMember Make(const Member& m) {
    crew::CrewMember member{};
    std::snprintf(member.idCode, sizeof member.idCode, "%s", m.idCode.c_str());
    std::snprintf(member.name, sizeof member.name, "%s", m.name.c_str());
    member.age = m.age;
    member.pulse = m.pulse;
    member.weight = m.weight;
    return member;
}

TEST(CrewLineTest, WritesCodeNameAndNumbersAsOneWord) {
    char value[128];
    crew::CrewMember member = Make({"Pass", "Corwin Haddel", 54, 65, 82});
    member.weight = 82.9;  // written truncated
    crew::FormatCrewLineValue(member, value, sizeof value);
    EXPECT_STREQ(value, "Pass-Corwin_Haddel-54-65-82");

    crew::FormatCrewLineValue(Make({"", "Jane Roe", 41, 0, 74}), value, sizeof value);
    EXPECT_STREQ(value, "-Jane_Roe-41-0-74");

    char small[10];
    crew::FormatCrewLineValue(Make({"Capt", "Corwin Haddel", 54, 65, 82}), small, sizeof small);
    EXPECT_STREQ(small, "Capt-Corw") << "cut to the buffer";
}

// Every line of the table is read as the scenario reader takes it; `taken` false means the line
// gives no member.
TEST(CrewLineTest, ReadsLinesWithinTheirLimits) {
    struct Case {
        std::string line;
        bool taken;
        Member member;
    };
    const Case cases[] = {
        {"UMMUCREW Capt-Jane_Roe-41-65-74", true, {"Capt", "Jane Roe", 41, 65, 74}},
        {"ummucrew Tech-Max_Poe-30-70-80", true, {"Tech", "Max Poe", 30, 70, 80}},
        {"UMMUCREW\t -Jane_Roe-41-65-74 trailing words", true, {"", "Jane Roe", 41, 65, 74}},
        {"UMMUCREW Ast-Jane_Roe-41-65-74", true, {"Ast", "Jane Roe", 41, 65, 74}},
        {"UMMUCREW Passenger-Bo-41-65-74", true, {"Pass", "Bo", 41, 65, 74}},
        {"UMMUCREW Ab-Abcdefghijklmnopqrstuvwxyzabcd-41-65-74",
         true,
         {"Ab", "Abcdefghijklmnopqrstuvwxy", 41, 65, 74}},
        {"UMMUCREW Ab-Ann-Marie-41-65-74", false, {}},  // "Marie" is read as the age
        {"UMMUCREW Ab-O'Neil-41-65-74", true, {"Ab", "O Neil", 41, 65, 74}},
        // Limits: age 1..140, pulse 0..180, weight 5..300.
        {"UMMUCREW Ab-Jo-1-0-5", true, {"Ab", "Jo", 1, 0, 5}},
        {"UMMUCREW Ab-Jo-140-180-300", true, {"Ab", "Jo", 140, 180, 300}},
        {"UMMUCREW Ab-Jo-0-65-74", false, {}},
        {"UMMUCREW Ab-Jo-141-65-74", false, {}},
        {"UMMUCREW Ab-Jo-41-181-74", false, {}},
        {"UMMUCREW Ab-Jo-41-+65-74", true, {"Ab", "Jo", 41, 65, 74}},
        {"UMMUCREW Ab-Jo-41-65-4", false, {}},
        {"UMMUCREW Ab-Jo-41-65-301", false, {}},
        {"UMMUCREW Ab-Jo-41-65-x", false, {}},
        {"UMMUCREW Ab-Jo-41-65", false, {}},
        {"UMMUCREW Ab-Jo-41", false, {}},
        {"UMMUCREW Ab-Jo", false, {}},
        {"UMMUCREW Jo", false, {}},
        {"UMMUCREW", false, {}},
        {"UMMUCRE", false, {}},
        {"XPDR 466", false, {}},
        // Written members read back: an empty name, an empty code, a pulse of 0.
        {"UMMUCREW Ab--41-0-74", true, {"Ab", "", 41, 0, 74}},
        {"UMMUCREW ---41-65-74", false, {}},
        // Numbers are read from at most five characters.
        {"UMMUCREW Ab-Jo-000041-65-74", true, {"Ab", "Jo", 4, 65, 74}},
        {"UMMUCREW Ab-Jo-00000041-65-74", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        crew::CrewMember member{};
        ASSERT_EQ(crew::ParseCrewLine(c.line.c_str(), member), c.taken);
        if (!c.taken) continue;
        EXPECT_STREQ(member.idCode, c.member.idCode.c_str());
        EXPECT_STREQ(member.name, c.member.name.c_str());
        EXPECT_EQ(member.age, c.member.age);
        EXPECT_EQ(member.pulse, c.member.pulse);
        EXPECT_EQ(member.weight, c.member.weight);
    }
    crew::CrewMember member{};
    EXPECT_FALSE(crew::ParseCrewLine(nullptr, member));
}

TEST(CrewLineTest, AValueLongerThanTheReaderTakesIsCut) {
    // The value is read up to 399 characters: a weight beyond them is not seen.
    const std::string padding(380, 'a');
    crew::CrewMember member{};
    EXPECT_TRUE(crew::ParseCrewLine(("UMMUCREW Ab-" + padding + "-41-65-74").c_str(), member));
    const std::string longer(390, 'a');
    EXPECT_FALSE(crew::ParseCrewLine(("UMMUCREW Ab-" + longer + "-41-65-74").c_str(), member));
}

TEST(CrewLineTest, EveryWrittenMemberReadsBack) {
    const Member members[] = {
        {"Pass", "Corwin Haddel", 54, 65, 82},
        {"", "Jane Roe", 1, 0, 5},
        {"Ab", "", 140, 180, 300},
        {"Sci", "A 1 b 2", 41, 130, 72},
    };
    for (const Member& m : members) {
        char value[128];
        crew::FormatCrewLineValue(Make(m), value, sizeof value);
        const std::string line = std::string(crew::kCrewLineKey) + " " + value;
        SCOPED_TRACE(line);
        crew::CrewMember back{};
        ASSERT_TRUE(crew::ParseCrewLine(line.c_str(), back));
        EXPECT_STREQ(back.idCode, m.idCode.c_str());
        EXPECT_STREQ(back.name, m.name.c_str());
        EXPECT_EQ(back.age, m.age);
        EXPECT_EQ(back.pulse, m.pulse);
        EXPECT_EQ(back.weight, m.weight);
    }
}

}  // namespace
