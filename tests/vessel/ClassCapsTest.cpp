// The ship as class set-up defines it, read back through the host's `print`.
#include "ExpectedPorts.h"
#include "ShipHarness.h"
#include "vessel/ShipTables.h"

namespace quillmar_test {
namespace {

class ClassCapsTest : public ShipTest {
  protected:
    ClassCapsTest() {
        CreateShip("Q1");
        ship = Describe("Q1");
    }
    nlohmann::json ship;
};

TEST_F(ClassCapsTest, ShipFigures) {
    EXPECT_EQ(ship["empty_mass"].get<double>(),
              35824560.0);  // the default member's 82 kg not in it
    EXPECT_EQ(ship["size"].get<double>(), 545.0);
    EXPECT_EQ(AsVec(ship["pmi"]), (Vec{2.28, 2.31, 0.79}));
    EXPECT_EQ(ship["cw"], nlohmann::json({0.09, 0.09, 2.0, 1.4}));
    EXPECT_EQ(AsVec(ship["cross_sections"]), (Vec{26.32, 26.34, 14.67}));
    EXPECT_EQ(AsVec(ship["rot_drag"]), (Vec{3.93, 3.93, 3.93}));
    ASSERT_EQ(ship["propellant"].size(), 1u);
    EXPECT_EQ(ship["propellant"][0]["max"].get<double>(), 98654240.0);
    EXPECT_EQ(ship["propellant"][0]["efficiency"].get<double>(), 1.0);
    EXPECT_EQ(ship["meshes"], nlohmann::json::parse(R"([{"name":"quillmar","visibility":3}])"));
    EXPECT_EQ(AsVec(ship["camera"]), (Vec{-1.65, 5.5, 174.0}));
    EXPECT_EQ(ship["transponder"], nlohmann::json::parse(R"({"on":true,"channel":0})"));
    EXPECT_EQ(ship["exhausts"], 28);  // a flame for every thruster
    EXPECT_EQ(ship["streams"], 8);    // a particle stream for every main engine
    EXPECT_EQ(Hud("Q1"), kWelcome);
}

// The ship's own touchdown points, as its table gives them: not the host's defaults, which would
// let it sink 70 m into the Moon and 440 m into the Earth.
TEST_F(ClassCapsTest, TouchdownPointsAreTheShipsOwn) {
    const nlohmann::json& points = ship["touchdown"];
    ASSERT_EQ(points.size(), std::size(quillmar::kTouchdownPoints));
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TOUCHDOWNVTX& want = quillmar::kTouchdownPoints[i];
        EXPECT_EQ(AsVec(points[i]["pos"]), (Vec{want.pos.x, want.pos.y, want.pos.z})) << i;
        EXPECT_EQ(points[i]["stiffness"].get<double>(), want.stiffness) << i;
        EXPECT_EQ(points[i]["damping"].get<double>(), want.damping) << i;
        EXPECT_EQ(points[i]["mu"].get<double>(), want.mu) << i;
        EXPECT_EQ(points[i]["mu_lng"].get<double>(), want.mu_lng) << i;
    }
}

TEST_F(ClassCapsTest, MainEnginesSitAtTheCentreAndFormTheMainGroup) {
    const auto& thrusters = ship["thrusters"];
    ASSERT_EQ(thrusters.size(), 28u);
    for (int i = 0; i < kMainEngines; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(AsVec(thrusters[i]["pos"]), (Vec{0, 0, 0}));
        EXPECT_EQ(AsVec(thrusters[i]["dir"]), (Vec{0, 0, 1}));
        EXPECT_EQ(thrusters[i]["max"].get<double>(), 50000000.0);
        EXPECT_EQ(thrusters[i]["isp"].get<double>(), 80000.0);
    }
    EXPECT_EQ(ship["groups"]["0"], nlohmann::json({0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(ClassCapsTest, AttitudeThrusters) {
    struct Row {
        Vec pos, dir;
    };
    const Row rows[20] = {
        {{20, 0, 100}, {0, -1, 0}},   {{20, 0, 100}, {0, 1, 0}},   {{20, 0, 100}, {0, 0, -1}},
        {{20, 0, 100}, {0, 0, 1}},    {{20, 0, 100}, {-1, 0, 0}},  {{-20, 0, 100}, {0, -1, 0}},
        {{-20, 0, 100}, {0, 1, 0}},   {{-20, 0, 100}, {0, 0, -1}}, {{-20, 0, 100}, {0, 0, 1}},
        {{-20, 0, 100}, {1, 0, 0}},   {{20, 0, -100}, {0, -1, 0}}, {{20, 0, -100}, {0, 1, 0}},
        {{20, 0, -100}, {0, 0, -1}},  {{20, 0, -100}, {0, 0, 1}},  {{20, 0, -100}, {-1, 0, 0}},
        {{-20, 0, -100}, {0, -1, 0}}, {{-20, 0, -100}, {0, 1, 0}}, {{-20, 0, -100}, {0, 0, -1}},
        {{-20, 0, -100}, {0, 0, 1}},  {{-20, 0, -100}, {1, 0, 0}},
    };
    const auto& thrusters = ship["thrusters"];
    for (int k = 0; k < 20; ++k) {
        SCOPED_TRACE(k);
        const auto& thruster = thrusters[kMainEngines + k];
        EXPECT_EQ(AsVec(thruster["pos"]), rows[k].pos);
        EXPECT_EQ(AsVec(thruster["dir"]), rows[k].dir);
        EXPECT_EQ(thruster["max"].get<double>(), kRcsMaximum);
        EXPECT_EQ(thruster["isp"].get<double>(), 80000.0);
    }
}

TEST_F(ClassCapsTest, AttitudeGroups) {
    struct Row {
        int type;
        std::vector<int> members;  // attitude thruster indices
    };
    const Row rows[] = {
        {3, {1, 6, 10, 15}},  {4, {0, 5, 11, 16}},  {6, {9, 14}},         {5, {4, 19}},
        {8, {0, 6, 10, 16}},  {7, {1, 5, 11, 15}},  {9, {9, 19}},         {10, {4, 14}},
        {12, {0, 5, 10, 15}}, {11, {1, 6, 11, 16}}, {13, {3, 8, 13, 18}}, {14, {2, 7, 12, 17}},
    };
    const auto& groups = ship["groups"];
    EXPECT_EQ(groups.size(), 13u);  // the main group and twelve attitude groups
    EXPECT_FALSE(groups.contains("1")) << "no retro group";
    EXPECT_FALSE(groups.contains("2")) << "no hover group";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        std::vector<int> expected;
        for (int k : row.members) expected.push_back(kMainEngines + k);
        EXPECT_EQ(groups[std::to_string(row.type)], nlohmann::json(expected));
    }
}

TEST_F(ClassCapsTest, DockingPortsInCreationOrder) {
    const auto& docks = ship["docks"];
    ASSERT_EQ(docks.size(), std::size(kExpectedPorts));
    for (int i = 0; i < kExpectedPortCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(AsVec(docks[i]["pos"]), kExpectedPorts[i].pos);
        EXPECT_EQ(AsVec(docks[i]["dir"]), kExpectedPorts[i].dir);
        EXPECT_EQ(AsVec(docks[i]["rot"]), kExpectedPorts[i].rot);
        EXPECT_TRUE(docks[i]["docked"].is_null());
    }
}

// Set-up ends with port 0 active: its airlock row replaces the provisional box, and the door
// stays closed.
TEST_F(ClassCapsTest, PublishesTheClosedAirlockOfPortZero) {
    const auto airlock = Airlock("Q1");
    ASSERT_TRUE(airlock.has_value());
    const ExpectedPort& port = kExpectedPorts[0];
    EXPECT_EQ(AsVec(airlock->Pack().position),
              (Vec{port.xRange[0], port.xRange[1], port.yRange[0]}));
    EXPECT_EQ(AsVec(airlock->Pack().direction),
              (Vec{port.yRange[1], port.zRange[0], port.zRange[1]}));
    EXPECT_EQ(airlock->doorState, 0.0) << "door closed";
    EXPECT_EQ(Describe("Q1")["attachments"]["child"].size(), 1u);
}

// The attitude thrust level is one value for the module: a toggle on one ship sets that ship's
// thrusters, and ships created afterwards start with it; ships already flying keep theirs.
TEST_F(ClassCapsTest, AttitudeThrustLevelIsModuleWideAtCreation) {
    CreateShip("Q2");
    EXPECT_EQ(Key("Q1", "Ctrl+1"), 0);
    EXPECT_EQ(Hud("Q1"), "RCS changed to minimum level");
    CreateShip("Q3");

    const std::vector<double> minimum(20, kRcsMinimum);
    const std::vector<double> maximum(20, kRcsMaximum);
    EXPECT_EQ(AttitudeThrust("Q1"), minimum);
    EXPECT_EQ(AttitudeThrust("Q2"), maximum);
    EXPECT_EQ(AttitudeThrust("Q3"), minimum);

    // Q2's first toggle follows the shared level, which stands at minimum: back to maximum.
    EXPECT_EQ(Key("Q2", "Ctrl+1"), 0);
    EXPECT_EQ(Hud("Q2"), "RCS changed to maximum level");
    EXPECT_EQ(AttitudeThrust("Q2"), maximum);
    EXPECT_EQ(AttitudeThrust("Q1"), minimum);
    CreateShip("Q4");
    EXPECT_EQ(AttitudeThrust("Q4"), maximum);
}

}  // namespace
}  // namespace quillmar_test
