// The ship's EVA where the simulator is strict, through scenarios: a crew vessel class without its
// configuration file, an EVA from a landed ship, and the status flags that make the simulator
// apply a new crew vessel's fuel and thruster levels.
#include <filesystem>
#include <string>

#include "ShipHarness.h"
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

// A landed ship's status comes in the landed encoding; the crew vessel still starts in free flight
// beside the ship, at rest and turned as from the same ship in flight.
TEST_F(EvaUnderStrictHost, EvaFromALandedShipAsFromAShipAtRest) {
    struct Outcome {
        nlohmann::json angvel;
        std::string status;
        std::string arot;
        double distance;
    };
    const auto evaFrom = [&](const Block& block) {
        LoadShips({{"Ship", block}});
        EXPECT_EQ(Key("Ship", "A"), 1);
        EXPECT_EQ(Key("Ship", "E"), 1);
        EXPECT_EQ(Hud("Ship"), "EVA OK - Ada Kerr left the ship");
        const nlohmann::json crew = Describe(kCrewVessel);
        Outcome outcome{crew["angvel"], crew["state"][0], "", 0.0};
        for (const auto& line : crew["state"]) {
            if (line.get<std::string>().rfind("AROT", 0) == 0) outcome.arot = line;
        }
        const Vec ship = AsVec(Describe("Ship")["pos"]);
        const Vec pos = AsVec(crew["pos"]);
        for (int i = 0; i < 3; ++i) outcome.distance += (pos[i] - ship[i]) * (pos[i] - ship[i]);
        sim.DeleteVessel(sim.FindVessel(kCrewVessel));
        sim.DeleteVessel(sim.FindVessel("Ship"));
        return outcome;
    };
    const Outcome landed = evaFrom({"STATUS Landed Earth", "POS -80.675 28.5", "HEADING 45",
                                    "ALT 12", "RPOS 6378000 0 0", "AROT 10 20 30", kMemberLine});
    const Outcome flying =
        evaFrom({"STATUS Orbiting Earth", "RPOS 6378000 0 0", "AROT 10 20 30", kMemberLine});
    EXPECT_EQ(landed.angvel, nlohmann::json::array({0.0, 0.0, 0.0})) << "not tumbling";
    EXPECT_EQ(landed.angvel, flying.angvel);
    EXPECT_EQ(landed.status, "STATUS Orbiting Earth");
    EXPECT_EQ(landed.arot, flying.arot);
    EXPECT_FALSE(landed.arot.empty());
    EXPECT_NEAR(landed.distance, flying.distance, 1e-6);
    EXPECT_LT(landed.distance, 545.0 * 545.0) << "beside the ship";
}

// The same for a transfer: the transfer vessel at a landed receiver's airlock starts in free
// flight, at rest and turned as at the same receiver in flight.
TEST_F(EvaUnderStrictHost, TransferToALandedShipAsToAShipAtRest) {
    struct Outcome {
        nlohmann::json angvel;
        std::string status;
        std::string arot;
    };
    const auto transferTo = [&](const Block& receiver) {
        LoadShips({{"Giver", {"STATUS Orbiting Earth", "RPOS 6378000 0 0", kMemberLine}},
                   {"Taker", receiver}});
        sim.Dock("Giver", 0, "Taker", 0);
        EXPECT_EQ(Key("Giver", "A"), 1);
        EXPECT_EQ(Key("Taker", "A"), 1);
        EXPECT_EQ(Key("Giver", "E"), 1);
        const nlohmann::json transfer = Describe("UMmuTTaker");
        Outcome outcome{transfer["angvel"], transfer["state"][0], ""};
        for (const auto& line : transfer["state"]) {
            if (line.get<std::string>().rfind("AROT", 0) == 0) outcome.arot = line;
        }
        for (const std::string& name : sim.VesselNames()) sim.DeleteVessel(sim.FindVessel(name));
        return outcome;
    };
    const Outcome landed = transferTo({"STATUS Landed Earth", "POS -80.675 28.5", "HEADING 45",
                                       "ALT 12", "RPOS 6378000 0 0", "AROT 10 20 30"});
    const Outcome flying =
        transferTo({"STATUS Orbiting Earth", "RPOS 6378000 0 0", "AROT 10 20 30"});
    EXPECT_EQ(landed.angvel, nlohmann::json::array({0.0, 0.0, 0.0})) << "not tumbling";
    EXPECT_EQ(landed.angvel, flying.angvel);
    EXPECT_EQ(landed.status, "STATUS Orbiting Earth");
    EXPECT_EQ(landed.arot, flying.arot);
    EXPECT_FALSE(landed.arot.empty());
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
