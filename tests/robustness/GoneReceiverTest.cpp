// A transfer whose receiver is gone sends its member into free space under their own name: never
// to another ship whose name begins as the receiver's, nor to a vessel that cannot take crew.
#include <algorithm>
#include <string>
#include <vector>

#include "testing/PeerTransfer.h"
#include "tests/robustness/RobustnessFixture.h"

namespace robustness {
namespace {

using Names = std::vector<std::string>;
using test_support::WalkingCrewVessels;

// 33 characters: as long as a peer's cut address, but this module's transfer names it whole.
constexpr char kReceiver[] = "Pioneer_of_the_outer_belt_expedit";
constexpr char kLonger[] = "Pioneer_of_the_outer_belt_expedition_two";
constexpr char kPodClass[] = "Pod";

class GoneReceiverTest : public RobustnessTest {};

// Ship A sends Ada to the docked receiver, which is deleted before she arrives; a vessel whose
// name begins as the receiver's exists 50 km away: an undocked Quillmar with its airlock open, or
// a cargo pod. Ada goes into free space as "UMmu_Capt-Ada_Kerr"; nobody else takes her.
TEST_F(GoneReceiverTest, AModulesTransferIsAddressedByTheWholeName) {
    for (const bool ship : {true, false}) {
        SCOPED_TRACE(ship ? "a ship of the longer name" : "a cargo pod of the longer name");
        DeleteEveryVessel();
        LoadShips(
            {{"A", {"DOCKINFO 0:0," + std::string(kReceiver), "UMMUCREW Capt-Ada_Kerr-41-66-72"}},
             {kReceiver, {"UMMUCREW Doc-Ivo_Brandt-52-71-90"}}});
        Key("A", "A");
        Key(kReceiver, "A");
        ASSERT_EQ(Key("A", "E"), 1);
        Key(kReceiver, "A");  // closed before its first scan
        ASSERT_EQ(TransferVessels(sim), (Names{std::string("UMmuT") + kReceiver}));
        sim.DeleteVessel(sim.FindVessel(kReceiver));
        sim.CreateVessel(kLonger, ship ? kShipClass : kPodClass);
        sim.Place(kLonger, "A", {0, 0, 50000});
        if (ship) Key(kLonger, "A");

        sim.Run(1.0);
        EXPECT_EQ(WalkingCrewVessels(sim), (Names{"UMmu_Capt-Ada_Kerr"}));
        EXPECT_TRUE(TransferVessels(sim).empty());
        if (ship) {
            const Names roster = RosterNames(kLonger);
            EXPECT_EQ(std::count(roster.begin(), roster.end(), "Ada Kerr"), 0);
        }
    }
}

// A peer's transfer addressed to a cut name: the only vessel whose name begins so is a cargo pod,
// which cannot take crew. The receiver is gone, and the member goes into free space.
TEST_F(GoneReceiverTest, ACutAddressNeverResolvesToAVesselThatCannotTakeCrew) {
    LoadShips({{"Alpha", {"UMMUCREW Capt-Ada_Kerr-41-66-72"}}});
    sim.CreateVessel(kLonger, kPodClass);
    ASSERT_NE(test_support::SendAsPeer(sim, kLonger, "Sci-Zoe Lind", 33, 70, 58), nullptr);
    ASSERT_EQ(TransferVessels(sim), (Names{std::string("UMmuT") + kReceiver}));
    Key("Alpha", "A");
    sim.Run(1.0);
    EXPECT_EQ(WalkingCrewVessels(sim), (Names{"UMmu_Sci-Zoe_Lind"}));
    EXPECT_TRUE(TransferVessels(sim).empty());
}

}  // namespace
}  // namespace robustness
