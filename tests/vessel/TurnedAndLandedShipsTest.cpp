// The crew where the ship is turned or stands on a planet, through scenarios: where an EVA puts
// the crew vessel, that it stays within the airlock's reach, walks back in, crosses between two
// landed ships, and that a landed ship keeps its place through save and load.
#include <string>

#include "ShipHarness.h"
#include "vessel/ShipTables.h"

namespace quillmar_test {
namespace {

constexpr char kMemberLine[] = "UMMUCREW Capt-Ada_Kerr-41-66-72";
constexpr char kCrewVessel[] = "UMmu_Capt-Ada_Kerr";
constexpr char kLeft[] = "EVA OK - Ada Kerr left the ship";
constexpr char kWalkedIn[] = "Capt \"Ada Kerr\" aged 41 entered into our ship";
// Airlock boxes in the ship's frame: x, y and z ranges. Port 0's, at the nose; port 5's, at the
// pod under the hull, the one that reaches down to the ground when the ship stands on its pads.
using AirlockRanges = double[3][2];
constexpr AirlockRanges kBox = {{-15, 15}, {-15, 15}, {194, 224}};
constexpr AirlockRanges kPodBox = {{-15, 15}, {-35, -5}, {32, 62}};

const Block kLandedAtTheCape{"STATUS Landed Earth", "POS -80.6758 28.5227", "HEADING 45", "ALT 12"};

bool HasLine(const nlohmann::json& description, const std::string& line) {
    for (const auto& l : description["state"]) {
        if (l == line) return true;
    }
    return false;
}

class TurnedAndLandedShips : public ShipTest {
  protected:
    Vec GlobalPos(const std::string& vessel) const {
        VECTOR3 pos{};
        sim.Interface(sim.FindVessel(vessel))->GetGlobalPos(pos);
        return AsVec(pos);
    }
    // Where the vessel is in the ship's frame.
    Vec InShipFrame(const std::string& vessel, const std::string& ship) const {
        VECTOR3 pos{}, local{};
        sim.Interface(sim.FindVessel(vessel))->GetGlobalPos(pos);
        sim.Interface(sim.FindVessel(ship))->Global2Local(pos, local);
        return AsVec(local);
    }
    Vec RelativeVel(const std::string& vessel, const std::string& ship) const {
        VECTOR3 vel{};
        sim.Interface(sim.FindVessel(vessel))->GetRelativeVel(sim.FindVessel(ship), vel);
        return AsVec(vel);
    }
    void ExpectInAirlockBox(const std::string& vessel, const std::string& ship,
                            const AirlockRanges& box = kBox) const {
        const Vec d = InShipFrame(vessel, ship);
        for (int i = 0; i < 3; ++i) {
            EXPECT_GT(d[i], box[i][0]) << "axis " << i;
            EXPECT_LT(d[i], box[i][1]) << "axis " << i;
        }
    }
    void WalkBackIn(const std::string& ship) {
        sim.Walk(kCrewVessel, ship);
        sim.Run(1.0);
        EXPECT_EQ(Hud(ship), kWalkedIn);
        EXPECT_EQ(sim.FindVessel(kCrewVessel), nullptr);
        EXPECT_TRUE(HasLine(Describe(ship), kMemberLine));
    }
};

// Port 0's EVA position and the centre of its airlock box are both (0, 0, 209) in the ship's
// frame; turned into the global frame by the ship's AROT as the simulator turns it, that is
// R (0, 0, 209) = 209 (m13, m23, m33), with m13 = -sin y, m23 = sin x cos y, m33 = cos x cos y.
struct TurnedCase {
    const char* arot;
    Vec offset;  // global, from the ship
};
const TurnedCase kTurnedCases[] = {
    {"AROT 0 30 0", {-104.5, 0, 180.99930939094767}},
    {"AROT 90 0 0", {0, 209, 0}},
    {"AROT 30 45 60", {-147.78531726798844, 73.892658633994224, 127.98583906042108}},
    {"AROT 20 90 0", {-209, 0, 0}},  // gimbal lock
};

TEST_F(TurnedAndLandedShips, EvaBesideATurnedShip) {
    for (const TurnedCase& c : kTurnedCases) {
        SCOPED_TRACE(c.arot);
        LoadShips({{"Ship", {"STATUS Orbiting Earth", "RPOS 7000000 0 0", c.arot, kMemberLine}}});
        ASSERT_EQ(Key("Ship", "A"), 1);
        ASSERT_EQ(Key("Ship", "E"), 1);
        const Vec ship = GlobalPos("Ship");
        const Vec crew = GlobalPos(kCrewVessel);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(crew[i] - ship[i], c.offset[i], 1e-6) << i;
        ExpectInAirlockBox(kCrewVessel, "Ship");
        WalkBackIn("Ship");
        sim.DeleteVessel(sim.FindVessel("Ship"));
    }
}

// A transfer vessel starts at the centre of the turned receiver's airlock box.
TEST_F(TurnedAndLandedShips, TransferToATurnedShip) {
    for (const TurnedCase& c : kTurnedCases) {
        SCOPED_TRACE(c.arot);
        LoadShips({{"Giver", {"STATUS Orbiting Earth", "RPOS 7000000 0 0", kMemberLine}},
                   {"Taker", {"STATUS Orbiting Earth", "RPOS 7000000 0 300", c.arot}}});
        sim.Dock("Giver", 0, "Taker", 0);
        ASSERT_EQ(Key("Giver", "A"), 1);
        ASSERT_EQ(Key("Taker", "A"), 1);
        ASSERT_EQ(Key("Giver", "E"), 1);
        const auto status = sim.CreationStatus("UMmuTTaker");
        ASSERT_TRUE(status.has_value());
        const Vec taker = GlobalPos("Taker");
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(status->rpos.data[i] - taker[i], c.offset[i], 1e-6) << i;
        }
        sim.Run(1.0);
        EXPECT_TRUE(HasLine(Describe("Taker"), kMemberLine));
        for (const std::string& name : sim.VesselNames()) sim.DeleteVessel(sim.FindVessel(name));
    }
}

// Beside a landed ship the crew member stands on the ground below the EVA position and turns with
// the planet; beside a turned ship in flight it floats at rest beside it. Either way it is still
// within the airlock's reach after 10 seconds, at every time acceleration, and walks back in. On
// the ground that is the airlock at the pod under the hull (port 5): the ship stands 25 m high on
// its pads, and the other ports' airlocks end 10 m or more above the ground.
TEST_F(TurnedAndLandedShips, CrewVesselStaysWithinTheAirlocksReach) {
    struct Case {
        const char* name;
        Block ship;
        double warp;
        double step;  // frame length at that acceleration
        bool landed;
    };
    const Block turned{"STATUS Orbiting Earth", "RPOS 7000000 0 0", "AROT 30 45 60"};
    const Case cases[] = {
        {"landed, warp 1", kLandedAtTheCape, 1, 0.02, true},
        {"landed, warp 10", kLandedAtTheCape, 10, 0.2, true},
        {"turned, warp 1", turned, 1, 0.02, false},
        {"turned, warp 10", turned, 10, 0.2, false},
    };
    constexpr int kPodPort = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Block block = c.ship;
        block.push_back(kMemberLine);
        LoadShips({{"Ship", block}});
        sim.SetTimeAcceleration(c.warp);
        sim.SetStep(c.step);
        if (c.landed) {
            for (int i = 0; i < kPodPort; ++i) ASSERT_EQ(Key("Ship", "Shift+KP+"), 1);
        } else {
            ASSERT_EQ(Key("Ship", "A"), 1);
        }
        ASSERT_EQ(Key("Ship", "E"), 1);
        EXPECT_EQ(Hud("Ship"), kLeft);
        const nlohmann::json start = Describe(kCrewVessel)["state"];
        EXPECT_EQ(start[0], c.landed ? "STATUS Landed Earth" : "STATUS Orbiting Earth");
        sim.Run(10.0);
        ExpectInAirlockBox(kCrewVessel, "Ship", c.landed ? kPodBox : kBox);
        if (c.landed) {
            // The same spot on the ground; against the ship only the surface's turn over the
            // 50 m between them (7.3e-5 rad/s).
            EXPECT_EQ(Describe(kCrewVessel)["state"], start);
            for (double v : RelativeVel(kCrewVessel, "Ship")) EXPECT_LT(std::abs(v), 0.02);
        } else {
            EXPECT_EQ(RelativeVel(kCrewVessel, "Ship"), (Vec{0, 0, 0}));
        }
        WalkBackIn("Ship");
        sim.DeleteVessel(sim.FindVessel("Ship"));
    }
}

TEST_F(TurnedAndLandedShips, TransferBetweenTwoLandedDockedShips) {
    Block giver = kLandedAtTheCape;
    giver.push_back(kMemberLine);
    LoadShips(
        {{"Giver", giver},
         {"Taker", {"STATUS Landed Earth", "POS -80.6735 28.5227", "HEADING 225", "ALT 12"}}});
    sim.Dock("Giver", 0, "Taker", 0);
    ASSERT_EQ(Key("Giver", "A"), 1);
    ASSERT_EQ(Key("Taker", "A"), 1);
    ASSERT_EQ(Key("Giver", "E"), 1);
    EXPECT_EQ(Hud("Giver"), "Transfer to docked ship Ok - Ada Kerr transfered");
    sim.Run(1.0);
    EXPECT_EQ(Hud("Taker"), "Capt \"Ada Kerr\" aged 41 was transfered to our ship");
    EXPECT_TRUE(HasLine(Describe("Taker"), kMemberLine));
    EXPECT_FALSE(HasLine(Describe("Giver"), kMemberLine));
    EXPECT_EQ(sim.FindVessel("UMmuTTaker"), nullptr);
}

// Full tanks, on the Moon (as the packaged scenario has it) and on Earth: the ship rests level on
// its three pads, 25 m under its axis, the pads' springs giving a few centimetres on the Moon and
// a fraction of a metre on Earth, never its hull on the ground.
TEST_F(TurnedAndLandedShips, ALandedShipRestsOnItsPads) {
    struct Case {
        const char* body;
        double gravity;  // m/s^2, the simulator's G M / R^2
    };
    const Case cases[] = {{"Moon", 1.62313}, {"Earth", 9.82018}};
    const double mass = quillmar::kEmptyMass + quillmar::kPropellantMaxMass;
    double padStiffness = 0.0;
    for (int i = 0; i < quillmar::kLandingPadCount; ++i) {
        padStiffness += quillmar::kTouchdownPoints[i].stiffness;
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        LoadShips({{"Pioneer",
                    {std::string("STATUS Landed ") + c.body, "POS -20.5 35.8", "HEADING 90",
                     "PRPLEVEL 0:1"}}});
        sim.Run(3.0);
        const nlohmann::json state = Describe("Pioneer")["state"];
        ASSERT_EQ(state[3].get<std::string>().rfind("ALT ", 0), 0U) << state.dump();
        const double altitude = std::stod(state[3].get<std::string>().substr(4));
        const double compression = -quillmar::kPadHeight - altitude;
        EXPECT_NEAR(compression, mass * c.gravity / padStiffness, 1e-4);
        EXPECT_GT(compression, 0.0);
        EXPECT_LT(compression, 1.0);
        EXPECT_GT(altitude, 22.4) << "the pod under the hull stays off the ground";
        sim.DeleteVessel(sim.FindVessel("Pioneer"));
    }
}

// On the Moon, as the packaged scenario has it: a member leaving at any port stands on the ground
// straight below the place beside its airlock, never under the surface.
TEST_F(TurnedAndLandedShips, AMemberLeavingALandedShipStandsOnTheGroundBelowTheAirlock) {
    for (int port = 0; port < quillmar::kDockCount; ++port) {
        SCOPED_TRACE("port " + std::to_string(port));
        LoadShips({{"Pioneer",
                    {"STATUS Landed Moon", "POS -20.5 35.8", "HEADING 90", "PRPLEVEL 0:1",
                     kMemberLine}}});
        for (int i = 0; i < port; ++i) ASSERT_EQ(Key("Pioneer", "Shift+KP+"), 1);
        if (port == 0) {
            ASSERT_EQ(Key("Pioneer", "A"), 1);  // the nose port keeps its closed door
        }
        ASSERT_EQ(Key("Pioneer", "E"), 1);
        EXPECT_EQ(Hud("Pioneer"), kLeft);
        sim.Run(1.0);
        const nlohmann::json state = Describe(kCrewVessel)["state"];
        EXPECT_EQ(state[0], "STATUS Landed Moon");
        EXPECT_EQ(state[3], "ALT 1");
        const VECTOR3& beside = quillmar::kDockingPorts[port].evaPosition;
        const Vec at = InShipFrame(kCrewVessel, "Pioneer");
        EXPECT_NEAR(at[0], beside.x, 0.01);
        EXPECT_NEAR(at[2], beside.z, 0.01);
        const double shipAltitude =
            std::stod(Describe("Pioneer")["state"][3].get<std::string>().substr(4));
        EXPECT_NEAR(at[1], 1.0 - shipAltitude, 0.05) << "on the ground below the ship";
        sim.DeleteVessel(sim.FindVessel(kCrewVessel));
        sim.DeleteVessel(sim.FindVessel("Pioneer"));
    }
}

TEST_F(TurnedAndLandedShips, SaveAndLoadKeepALandedShipsPlace) {
    const Block lines{"STATUS Landed Mars", "POS 137.4417 -4.5895", "HEADING 271.25", "ALT 7.5"};
    LoadShips({{"Rover", lines}});
    const Vec before = GlobalPos("Rover");
    sim.Run(10.0);
    EXPECT_NE(GlobalPos("Rover"), before) << "Mars turned it on";
    // It rests on its touchdown points, whatever the ALT line said, and keeps that height.
    const nlohmann::json saved = Describe("Rover")["state"];
    const auto file = sim.Root() / "saved.scn";
    sim.SaveScenario(file);
    sim.DeleteVessel(sim.FindVessel("Rover"));
    sim.LoadScenario(file);
    const nlohmann::json state = Describe("Rover")["state"];
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(state[i], lines[i]);
    EXPECT_EQ(state[lines.size() - 1], saved[lines.size() - 1]);
}

// The same main-engine command for 10 s burns as much on the ground as in orbit: engines that
// engage take a landed ship into free flight, and the transcript says it left the ground.
TEST_F(TurnedAndLandedShips, MainEnginesLiftALandedShipOffAndBurnAsInOrbit) {
    LoadShips({{"Grounded", kLandedAtTheCape},
               {"Orbiting", {"STATUS Orbiting Earth", "RPOS 6778000 0 0", "RVEL 0 7668.5 0"}}});
    const auto propellant = [this](const std::string& ship) {
        return Describe(ship)["propellant"][0]["mass"].get<double>();
    };
    const double full[] = {propellant("Grounded"), propellant("Orbiting")};
    for (const char* ship : {"Grounded", "Orbiting"}) sim.SetThrust(ship, THGROUP_MAIN, 1.0);
    sim.Run(10.0);
    for (const char* ship : {"Grounded", "Orbiting"}) sim.SetThrust(ship, THGROUP_MAIN, 0.0);

    const double burnt = full[1] - propellant("Orbiting");
    EXPECT_GT(burnt, 40000.0);
    EXPECT_DOUBLE_EQ(full[0] - propellant("Grounded"), burnt);
    EXPECT_EQ(Describe("Grounded")["state"][0], "STATUS Orbiting Earth");
    long liftoffs = 0;
    for (const std::string& line : sim.Transcript()) {
        liftoffs += line.rfind("liftoff Grounded from Earth at POS -80.6758 28.5227", 0) == 0;
    }
    EXPECT_EQ(liftoffs, 1);
}

}  // namespace
}  // namespace quillmar_test
