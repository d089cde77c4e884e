// Bounded texts: names as the roster stores them, comparison ignoring letter case, and copies
// that never run past a buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "crew/CrewText.h"

namespace {

TEST(CrewTextTest, SanitizeNameKeepsOnlyLettersAndDigits) {
    struct Case {
        std::string given;
        std::string stored;
    };
    const Case cases[] = {
        {"Ann-Marie O'Neil", "Ann Marie O Neil"},
        {"Corwin Haddel 2", "Corwin Haddel 2"},
        {"a_b.c\td", "a b c d"},
        {"J\xC3\xB6rg", "J  rg"},  // bytes above 127 are not allowed either
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.given;
        crew::SanitizeName(text.data());
        EXPECT_EQ(text, c.stored) << c.given;
    }
    crew::SanitizeName(nullptr);  // left alone
}

TEST(CrewTextTest, EqualsIgnoringCaseOfLettersOnly) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"Corwin Haddel", "corwin haddel", true},
        {"Corwin Haddel", "CORWIN HADDEL", true},
        {"Corwin Haddel", "Corwin_Haddel", false},
        {"Corwin Haddel", "Corwin Hadde", false},
        {"Corwin", "Corwin ", false},
        {"[", "{", false},  // not letters: differ by 32 like a letter pair, but are not one
        {"", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(crew::EqualsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    }
}

TEST(CrewTextTest, PrefixAndLiteralComparisonsAreCaseSensitiveAndStopAtTheTerminator) {
    struct Case {
        const char* text;
        bool startsWithUMmu;
        bool equalsUMm;
    };
    const Case cases[] = {
        {"UMmu", true, false},   {"UMmuT", true, false}, {"ummu", false, false},
        {"UM", false, false},    {"", false, false},     {"U-Mm", false, true},
        {"U-Mmx", false, false}, {"U-M", false, false},
    };
    for (const Case& c : cases) {
        // Each text in a buffer of exactly its own size, so a read past the terminator shows
        // under AddressSanitizer.
        const auto copy = std::make_unique<char[]>(std::strlen(c.text) + 1);
        std::memcpy(copy.get(), c.text, std::strlen(c.text) + 1);
        EXPECT_EQ(crew::StartsWith(copy.get(), "UMmu", 4), c.startsWithUMmu) << c.text;
        EXPECT_EQ(crew::EqualsLiteral(copy.get(), "U-Mm"), c.equalsUMm) << c.text;
    }
}

TEST(CrewTextTest, CopiesStayInsideBothBuffers) {
    // A source without terminator within the limit is read only up to the limit.
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    char destination[8];
    std::memset(destination, 'x', sizeof destination);
    crew::CopyText(destination, sizeof destination, unterminated, sizeof unterminated);
    EXPECT_STREQ(destination, "abcd");
    EXPECT_EQ(destination[7], '\0') << "the rest is cleared";

    crew::CopyText(destination, 3, "abcdef", 10);
    EXPECT_STREQ(destination, "ab");

    char joined[6];
    std::memset(joined, 'x', sizeof joined);
    crew::JoinText(joined, sizeof joined, "UMmu_", "Capt");
    EXPECT_STREQ(joined, "UMmu_");
    std::memset(joined, 'x', sizeof joined);
    crew::JoinText(joined, sizeof joined, "ab", "c");
    EXPECT_STREQ(joined, "abc");
    EXPECT_EQ(joined[4], 'x') << "bytes behind the terminator keep their content";
}

}  // namespace
