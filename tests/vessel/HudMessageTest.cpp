// The HUD message line: where it is drawn, how long it shows, and that a long text stays in its
// buffer.
#include <algorithm>
#include <string>
#include <vector>

#include "ShipHarness.h"

namespace quillmar_test {
namespace {

// A drawing surface that keeps the texts drawn on it.
struct RecordingSketchpad : oapi::Sketchpad {
    struct Drawn {
        int x, y;
        std::string text;
    };
    RecordingSketchpad() : Sketchpad(nullptr) {}
    bool Text(int x, int y, const char* str, int len) override {
        texts.push_back({x, y, std::string(str, static_cast<std::size_t>(len))});
        return true;
    }
    std::vector<Drawn> texts;
};

class HudMessageTest : public ShipTest {
  protected:
    HudMessageTest() {
        CreateShip("Q1");
        sim.SetFocus(sim.FindVessel("Q1"));
    }
    VESSEL3* Ship() { return static_cast<VESSEL3*>(sim.Interface(sim.FindVessel("Q1"))); }
};

// The line sits at x = 5 and y = (H / 60) * 15, whatever the HUD mode, drawn through the
// Sketchpad callback, which tells the host the HUD was drawn.
TEST_F(HudMessageTest, LinePosition) {
    struct Case {
        int mode, height, y;
    };
    const Case cases[] = {{0, 600, 150}, {1, 768, 180}, {2, 659, 150}, {3, 59, 0}, {1, 60, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        RecordingSketchpad pad;
        HUDPAINTSPEC paint{800, c.height, 400, c.height / 2, 10.0, 6};
        EXPECT_TRUE(Ship()->clbkDrawHUD(c.mode, &paint, &pad));
        ASSERT_EQ(pad.texts.size(), 1u);
        const auto& drawn = pad.texts.back();
        EXPECT_EQ(drawn.x, 5);
        EXPECT_EQ(drawn.y, c.y);
        EXPECT_EQ(drawn.text, kWelcome);
    }
}

// The welcome message shows for 15 s of simulation time, counted in the frames that draw it.
TEST_F(HudMessageTest, MessageShowsForFifteenSeconds) {
    sim.SetStep(0.25);
    sim.Run(15.0);
    EXPECT_EQ(sim.HudText("Q1"), kWelcome);
    sim.Frame();
    EXPECT_EQ(sim.HudText("Q1"), "");
    const auto& transcript = sim.Transcript();
    EXPECT_NE(std::find(transcript.begin(), transcript.end(), "hud Q1: -"), transcript.end());
}

// A step longer than the time left still draws the text in that frame, and nothing after.
TEST_F(HudMessageTest, LastFrameDrawsEvenWhenTheStepIsLonger) {
    sim.SetStep(14.999);
    sim.Frame();
    sim.SetStep(0.02);
    sim.Frame();  // 0.001 s left
    EXPECT_EQ(sim.HudText("Q1"), kWelcome);
    sim.Frame();
    EXPECT_EQ(sim.HudText("Q1"), "");
    Key("Q1", "S");
    sim.Frame();
    EXPECT_EQ(sim.HudText("Q1"), "1 souls aboard ship Q1, 49 seats available")
        << "a hidden line shows again with the next message";
}

TEST_F(HudMessageTest, NewMessageReplacesTheTextAndRestartsTheTime) {
    sim.SetStep(0.25);
    sim.Run(10.0);
    Key("Q1", "S");
    sim.Run(10.0);
    EXPECT_EQ(sim.HudText("Q1"), "1 souls aboard ship Q1, 49 seats available");
    sim.Run(5.0);
    EXPECT_EQ(sim.HudText("Q1"), "1 souls aboard ship Q1, 49 seats available");
    sim.Frame();
    EXPECT_EQ(sim.HudText("Q1"), "");
}

// Only the focus ship's HUD is drawn, so only its message time runs down.
TEST_F(HudMessageTest, TimeRunsOnlyWhileDrawn) {
    CreateShip("Q2");
    sim.Run(20.0);
    EXPECT_EQ(sim.HudText("Q1"), "");
    sim.SetFocus(sim.FindVessel("Q2"));
    sim.Frame();
    EXPECT_EQ(sim.HudText("Q2"), kWelcome);
}

// The crew information holds the ship's name as the host gives it: with a name of 255
// characters the text is cut to the 255 characters that fit the line's buffer.
TEST_F(HudMessageTest, LongMessageIsCutToTheBuffer) {
    const std::string name(255, 'N');
    CreateShip(name);
    sim.SetFocus(sim.FindVessel(name));
    EXPECT_EQ(Key(name, "S"), 1);
    sim.Frame();
    const std::string full = "1 souls aboard ship " + name + ", 49 seats available";
    EXPECT_EQ(sim.HudText(name), full.substr(0, 255));
}

}  // namespace
}  // namespace quillmar_test
