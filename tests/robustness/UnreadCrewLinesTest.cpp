// Crew lines a ship with the crew add-on cannot take (numbers out of range, a missing field, more
// lines than seats) are kept as read and written back at the next save, and the debug line says
// how many and why; the valid lines are taken as before.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/robustness/RobustnessFixture.h"

namespace robustness {
namespace {

using Names = std::vector<std::string>;

class UnreadCrewLinesTest : public RobustnessTest {};

TEST_F(UnreadCrewLinesTest, LinesTheShipCannotTakeAreWrittenBackAsRead) {
    const std::vector<std::string> notValid = {
        "UMMUCREW Capt-Age_Zero-0-66-72", "UMMUCREW Capt-Pulse_High-41-200-72",
        "UMMUCREW Capt-Light-41-66-4", "UMMUCREW Capt-Field_Missing-41-66"};
    test_support::Block block = {"UMMUCREW Capt-Ada_Kerr-41-66-72"};
    block.insert(block.end(), notValid.begin(), notValid.end());
    for (int i = 1; i < kSeats; ++i) {
        block.push_back("UMMUCREW Tech-Crew_" + std::to_string(i) + "-30-70-80");
    }
    const std::string beyond = "UMMUCREW Doc-One_Too_Many-52-71-90";
    block.push_back(beyond);
    LoadShips({{"Pioneer", block}});
    sim.Frame();
    EXPECT_EQ(sim.DebugLine(),
              "Quillmar kept 5 crew lines unread (4 not valid, 1 beyond the seats): a save writes "
              "them back as read");
    ASSERT_EQ(RosterNames("Pioneer").size(), static_cast<std::size_t>(kSeats));

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "saved once" : "saved twice");
        SaveAndReload();
        const std::vector<std::string> lines = sim.StateLines("Pioneer");
        for (std::string line : notValid) {
            line.replace(8, 1, " ");  // KEY value
            EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1) << line;
        }
        EXPECT_EQ(std::count(lines.begin(), lines.end(), beyond), 1);
        EXPECT_EQ(RosterNames("Pioneer").size(), static_cast<std::size_t>(kSeats));
        EXPECT_EQ(RosterNames("Pioneer").front(), "Ada Kerr");
    }
    sim.Frame();
    EXPECT_NE(sim.DebugLine().find("kept 5 crew lines unread"), std::string::npos)
        << "counted once after reloads: " << sim.DebugLine();
}

}  // namespace
}  // namespace robustness
