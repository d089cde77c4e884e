// The ship's EVA where the simulator is strict, through scenarios: a crew vessel class without its
// configuration file, an EVA from a landed ship, and the status flags that make the simulator
// apply a new crew vessel's fuel and thruster levels.
#include <filesystem>
#include <string>

#include "ShipHarness.h"
#include "host/RotationAngles.h"
#include "testing/RootFiles.h"

namespace quillmar_test {
namespace {

constexpr char kMemberLine[] = "UMMUCREW Capt-Ada_Kerr-41-66-72";
constexpr char kCrewVessel[] = "UMmu_Capt-Ada_Kerr";
constexpr char kRefused[] = "Misc error with UMMU install it again";

bool HasCrewLine(const nlohmann::json& description) {
    for (const auto& line : description["state"]) {
        if (line == kMemberLine) return true;
    }
    return false;
}

using EvaUnderStrictHost = ShipTest;

TEST_F(EvaUnderStrictHost, NoEvaWithoutTheCrewClassConfiguration) {
    struct Case {
        const char* configFile;  // the crew class's file left in the root; null: none
        bool leaves;
    };
    const Case cases[] = {
        {nullptr, false},
        {"config/Vessels/UMmu.cfg", true},
        {"config/UMmu.cfg", true},
    };
    namespace fs = std::filesystem;
    const std::string kept = "ClassName = UMmu\n";
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.configFile ? c.configFile : "no configuration file");
        fs::remove(sim.Root() / "config" / "Vessels" / "UMmu.cfg");
        fs::remove(sim.Root() / "config" / "UMmu.cfg");
        if (c.configFile != nullptr) test_support::WriteRootFile(sim, c.configFile, kept);
        const std::string ship = "Ship" + std::to_string(++number);
        LoadShips({{ship, {"STATUS Orbiting Earth", "RPOS 7000000 0 0", kMemberLine}}});
        ASSERT_EQ(Key(ship, "A"), 1);
        EXPECT_EQ(Key(ship, "E"), 1);  // no stop: the module did not ask for the class
        if (c.leaves) {
            EXPECT_EQ(Hud(ship), "EVA OK - Ada Kerr left the ship");
            EXPECT_FALSE(HasCrewLine(Describe(ship)));
            ASSERT_NE(sim.FindVessel(kCrewVessel), nullptr);
            sim.DeleteVessel(sim.FindVessel(kCrewVessel));
        } else {
            EXPECT_EQ(Hud(ship), kRefused);
            EXPECT_TRUE(HasCrewLine(Describe(ship))) << "the member stays aboard";
            EXPECT_EQ(sim.FindVessel(kCrewVessel), nullptr);
        }
    }
}

// A landed ship's status comes in the landed encoding; a crew vessel made beside it still starts
// in free flight (the crew add-on then stands it on the ground), not turning, turned as the ship
// is in the global frame and moving with it, as one made beside the same ship in flight.
void ExpectMadeBeside(sim::Simulator& sim, const std::string& made, const std::string& ship) {
    const auto status = sim.CreationStatus(made);
    ASSERT_TRUE(status.has_value()) << made;
    EXPECT_EQ(status->status, 0) << "in free flight";
    EXPECT_EQ(AsVec(status->vrot), (Vec{0.0, 0.0, 0.0})) << "not tumbling";
    const VESSEL* own = sim.Interface(sim.FindVessel(ship));
    MATRIX3 shipRotation{};
    own->GetRotationMatrix(shipRotation);
    const MATRIX3 madeRotation = rotation_angles::ToMatrix(status->arot);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(madeRotation.data[i], shipRotation.data[i], 1e-9) << i;
    VECTOR3 shipPos{}, shipVel{};
    own->GetGlobalPos(shipPos);
    own->GetGlobalVel(shipVel);
    double distance = 0.0;
    for (int i = 0; i < 3; ++i) {
        distance +=
            (status->rpos.data[i] - shipPos.data[i]) * (status->rpos.data[i] - shipPos.data[i]);
        EXPECT_NEAR(status->rvel.data[i], shipVel.data[i], 1e-9) << "moving with the ship";
    }
    EXPECT_LT(distance, 545.0 * 545.0) << "beside the ship";
}

const Block kLandedBlock{"STATUS Landed Earth", "POS -80.675 28.5", "HEADING 45", "ALT 12",
                         "RPOS 6378000 0 0",    "AROT 10 20 30"};
const Block kFlyingBlock{"STATUS Orbiting Earth", "RPOS 6378000 0 0", "AROT 10 20 30"};

TEST_F(EvaUnderStrictHost, EvaFromALandedShipAsFromAShipAtRest) {
    for (const Block* ship : {&kLandedBlock, &kFlyingBlock}) {
        SCOPED_TRACE(ship->front());
        Block block = *ship;
        block.push_back(kMemberLine);
        LoadShips({{"Ship", block}});
        EXPECT_EQ(Key("Ship", "A"), 1);
        EXPECT_EQ(Key("Ship", "E"), 1);
        ExpectMadeBeside(sim, kCrewVessel, "Ship");  // before a frame turns the ship on
        EXPECT_EQ(Hud("Ship"), "EVA OK - Ada Kerr left the ship");
        sim.DeleteVessel(sim.FindVessel(kCrewVessel));
        sim.DeleteVessel(sim.FindVessel("Ship"));
    }
}

// The same for a transfer: the transfer vessel at a landed receiver's airlock starts in free
// flight, at rest and turned as the receiver.
TEST_F(EvaUnderStrictHost, TransferToALandedShipAsToAShipAtRest) {
    for (const Block* receiver : {&kLandedBlock, &kFlyingBlock}) {
        SCOPED_TRACE(receiver->front());
        LoadShips({{"Giver", {"STATUS Orbiting Earth", "RPOS 6378000 0 0", kMemberLine}},
                   {"Taker", *receiver}});
        sim.Dock("Giver", 0, "Taker", 0);
        EXPECT_EQ(Key("Giver", "A"), 1);
        EXPECT_EQ(Key("Taker", "A"), 1);
        EXPECT_EQ(Key("Giver", "E"), 1);
        ExpectMadeBeside(sim, "UMmuTTaker", "Taker");
        for (const std::string& name : sim.VesselNames()) sim.DeleteVessel(sim.FindVessel(name));
    }
}

TEST_F(EvaUnderStrictHost, TheNewCrewVesselsFuelAndLevelsAreApplied) {
    LoadShips({{"Ship", {"STATUS Orbiting Earth", "RPOS 7000000 0 0", kMemberLine}}});
    ASSERT_EQ(Key("Ship", "A"), 1);
    ASSERT_EQ(Key("Ship", "E"), 1);
    const auto status = sim.CreationStatus(kCrewVessel);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->flag[0] & 3u, 3u) << "fuel (2) and thruster levels (1) are applied";
    EXPECT_EQ(status->fuel, 1.0);
    EXPECT_EQ(status->eng_main, 0.0);
    EXPECT_EQ(status->eng_hovr, 0.0);
    EXPECT_EQ(status->status, 0);
}

}  // namespace
}  // namespace quillmar_test
