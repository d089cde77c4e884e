#include <gtest/gtest.h>

#include "sim/world/KeyStroke.h"

namespace {

struct KeyCase {
    const char* text;
    DWORD key;
    bool shift;
    bool ctrl;
    bool alt;
};

constexpr KeyCase kKeys[] = {
    {"A", 0x1E, false, false, false},          {"e", 0x12, false, false, false},
    {"S", 0x1F, false, false, false},          {"C", 0x2E, false, false, false},
    {"Z", 0x2C, false, false, false},          {"1", 0x02, false, false, false},
    {"0", 0x0B, false, false, false},          {"KP+", 0x4E, false, false, false},
    {"KP-", 0x4A, false, false, false},        {"0x1C", 0x1C, false, false, false},
    {"Shift+KP+", 0x4E, true, false, false},   {"Ctrl+1", 0x02, false, true, false},
    {"Alt+S", 0x1F, false, false, true},       {"Shift+Ctrl+Alt+0x9d", 0x9D, true, true, true},
    {"Ctrl+Shift+E", 0x12, true, true, false},
};

TEST(KeyStroke, ParsesKeysAndModifiers) {
    for (const auto& c : kKeys) {
        const auto stroke = sim::ParseKeyStroke(c.text);
        ASSERT_TRUE(stroke.has_value()) << c.text;
        EXPECT_EQ(stroke->key, c.key) << c.text;
        EXPECT_EQ(stroke->shift, c.shift) << c.text;
        EXPECT_EQ(stroke->ctrl, c.ctrl) << c.text;
        EXPECT_EQ(stroke->alt, c.alt) << c.text;
    }
}

TEST(KeyStroke, RefusesWhatIsNoKey) {
    for (const char* text : {"", "Shift+", "AB", "F1", "0x", "0x100", "0xZZ", "KP*",
                             "Shift+Shift+A", "Meta+A", "+A", "10"}) {
        EXPECT_FALSE(sim::ParseKeyStroke(text).has_value()) << text;
    }
}

}  // namespace
