// Input at and beyond its limits: the longest vessel names, crew lines with every field out of
// range or overlong, 150 ships in one scenario, a short transfer file, a crew vessel whose
// member data are negative, huge or not numbers, and broken records of transfers under way.
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "host/CrewAddon.h"
#include "testing/HandOverFiles.h"
#include "testing/RootFiles.h"
#include "testing/ScenarioBuilder.h"
#include "tests/robustness/RobustnessFixture.h"

namespace robustness {
namespace {

using Names = std::vector<std::string>;

constexpr std::size_t kLongestVesselName = 255;
constexpr std::size_t kHudChars = 255;

class HostileInputTest : public RobustnessTest {};

std::string LongName(std::size_t length = kLongestVesselName) {
    std::string name;
    while (name.size() < length) name += static_cast<char>('A' + name.size() % 26);
    return name;
}

// A ship with the longest name the simulator allows, docked at the active port: its name is cut
// in the port message and in the crew information. A transfer vessel bears "UMmuT" and the
// receiver's whole name, which the simulator does not allow for this one: the transfer is
// refused and the member stays aboard. A ship whose name leaves room for the prefix receives.
TEST_F(HostileInputTest, LongestVesselNameDockedAtTheActivePort) {
    const std::string longName = LongName();
    CreateShip("Alpha");
    CreateShip(longName);
    sim.Dock("Alpha", 0, longName, 0);
    Key("Alpha", "Shift+KP+");
    Key("Alpha", "Shift+KP-");
    EXPECT_EQ(Hud("Alpha"), "Active dock number changed to: 0 " + longName.substr(0, 9));
    Key(longName, "S");
    EXPECT_EQ(Hud(longName),
              ("1 souls aboard ship " + longName + ", 49 seats available").substr(0, kHudChars));

    Key(longName, "A");  // Alpha's door opened with port 1 and stays open at port 0
    CountCrew();
    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), "Misc error with UMMU install it again");
    EXPECT_TRUE(TransferVessels(sim).empty());
    EXPECT_EQ(RosterNames("Alpha").size(), 1U);
    ExpectCrewConserved();

    const std::string roomyName = LongName(kLongestVesselName - crew_addon::kVesselPrefixLength);
    sim.Undock("Alpha", 0);
    CreateShip(roomyName);
    sim.Dock("Alpha", 0, roomyName, 0);
    Key(roomyName, "A");
    CountCrew();
    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), "Transfer to docked ship Ok - Corwin Haddel transfered");
    sim.Run(1.0);
    EXPECT_TRUE(TransferVessels(sim).empty());
    EXPECT_EQ(RosterNames(roomyName).size(), 2U);
    ExpectCrewConserved();
}

// A full ship that changes its active port still publishes no free seat, so a docked ship's
// transfer to it is refused rather than left waiting outside.
TEST_F(HostileInputTest, FullShipChangingPortsStaysFull) {
    quillmar_test::Block full;
    for (int i = 0; i < kSeats; ++i) {
        full.push_back("UMMUCREW Tech-Member" + std::to_string(i) + "-30-70-80");
    }
    LoadShips(
        {{"Alpha", {"DOCKINFO 0:0,Beta", "UMMUCREW Capt-Ada_Kerr-41-66-72"}}, {"Beta", full}});
    sim.CreateVessel("Gamma", kShipClass);
    Key("Beta", "Shift+KP+");
    Key("Beta", "Shift+KP-");
    Key("Beta", "A");
    EXPECT_EQ(PublishedFreeSeats("Beta"), 0);
    EXPECT_EQ(PublishedFreeSeats("Gamma"), kSeats - 1);
    Key("Alpha", "A");
    Key("Alpha", "E");
    EXPECT_EQ(Hud("Alpha"), "Error, docked ship is already full transfer failed");
}

// Crew lines with fields out of range, overlong or missing: the valid ones make the roster in
// their order, each cut to its limits; the others are left to the host.
TEST_F(HostileInputTest, CrewLinesOutOfRangeOrOverlong) {
    const std::string overlongValue = "Capt-" + std::string(600, 'x') + "-41-65-74";
    const std::string overlongLine = "UMMUCREW Tech-Kim-20-60-70" + std::string(5000, 'z');
    LoadShips({{"Alpha",
                {
                    "UMMUCREW Captain_of_the_guard-Ann_Lee-41-65-74",      // code cut to 4
                    "UMMUCREW Ast-" + std::string(40, 'N') + "-30-70-80",  // name cut to 25
                    "UMMUCREW Sec-Bo\xC3\xA9\x01!-50-90-100",              // bytes become blanks
                    "UMMUCREW " + overlongValue,                           // value beyond 399
                    overlongLine,                           // weight read from "70zzz"
                    "UMMUCREW Doc-Old-141-65-74",           // age above 140
                    "UMMUCREW Doc-Young-0-65-74",           // age 0
                    "UMMUCREW Doc-Fast-41-181-74",          // pulse above 180
                    "UMMUCREW Doc-Light-41-65-4",           // weight below 5
                    "UMMUCREW Doc-Heavy-41-65-301",         // weight above 300
                    "UMMUCREW Doc-Huge-99999999999-65-74",  // 5 digits read: 99999
                    "UMMUCREW Doc-Minus--41-65-74",         // empty age field
                    "UMMUCREW Doc-NoNumbers",               // no hyphen after name
                    "UMMUCREW",                             // no value
                    "UMMUCREW Doc-Six-000041-65-74",        // reads 00004
                }}});
    const std::vector<CrewLine> roster = Roster("Alpha");
    ASSERT_EQ(roster.size(), 5U);
    EXPECT_EQ(roster[0].code, "Capt");
    EXPECT_EQ(roster[0].name, "Ann Lee");
    EXPECT_EQ(roster[1].name, std::string(25, 'N'));
    EXPECT_EQ(roster[2].name, "Bo    ");
    EXPECT_EQ(roster[3].name, "Kim");
    EXPECT_EQ(roster[3].weight, 70);
    EXPECT_EQ(roster[4].name, "Six");
    EXPECT_EQ(roster[4].age, 4);
    EXPECT_EQ(PublishedFreeSeats("Alpha"), kSeats - 5);
}

// 150 ships: every one publishes an airlock of its own, and a crew vessel that walks into the
// open airlock of the last ship arrives there and nowhere else.
TEST_F(HostileInputTest, HundredAndFiftyShipsHaveTheirOwnAirlocks) {
    constexpr int kShips = 150;
    quillmar_test::Ships ships;
    for (int i = 0; i < kShips; ++i) {
        const std::string n = std::to_string(i);
        ships.push_back({"Ship" + n, {"UMMUCREW Tech-Member" + n + "-30-70-80"}});
    }
    LoadShips(ships);
    for (int i = 0; i < kShips; ++i) {
        ASSERT_EQ(PublishedFreeSeats("Ship" + std::to_string(i)), kSeats - 1) << i;
    }
    const std::string last = "Ship" + std::to_string(kShips - 1);
    Key(last, "A");
    CountCrew();
    Key(last, "E");
    EXPECT_EQ(Hud(last), "EVA OK - Member149 left the ship");
    EXPECT_EQ(PublishedFreeSeats(last), kSeats);

    sim.Walk("UMmu_Tech-Member149", last);
    sim.Run(1.0);
    EXPECT_EQ(RosterNames(last), (Names{"Member149"}));
    EXPECT_EQ(Hud(last), "Tech \"Member149\" aged 30 entered into our ship");
    ExpectCrewConserved();
}

// A transfer file shorter than a record is not read, and goes: the member the transfer vessel
// names arrives.
TEST_F(HostileInputTest, TransferFileShorterThanARecord) {
    for (const std::size_t bytes : {std::size_t{0}, std::size_t{50}, std::size_t{103}}) {
        SCOPED_TRACE(bytes);
        DeleteEveryVessel();
        LoadDockedPair();
        Key("Alpha", "E");
        test_support::WriteRootFile(sim, crew_addon::kTransferFile, std::string(bytes, 'Q'));
        sim.Run(1.0);
        EXPECT_EQ(RosterNames("Beta"), (Names{"Ivo Brandt", "Ada Kerr"}));
        EXPECT_FALSE(std::filesystem::exists(test_support::TransferFile(sim)));
        ExpectCrewConserved();
    }
}

// A second transfer to the same ship before the first has arrived would overwrite the first
// member's record and leave a vessel the receiver never takes: it is refused, and the member
// stays aboard until the first has arrived. The refusal says why; pressed in the frame of the
// first, it stands beside the first one's message.
TEST_F(HostileInputTest, SecondTransferWhileTheFirstIsUnderWay) {
    constexpr char kRefusal[] = "Error, a transfer to docked ship is under way, unable to transfer";
    LoadDockedPair();
    Key("Alpha", "E");
    Key("Alpha", "E");
    Key("Beta", "A");  // closed before its first scan: the first waits
    EXPECT_EQ(Hud("Alpha"),
              std::string("Transfer to docked ship Ok - Ada Kerr transfered / ") + kRefusal);
    Key("Beta", "A");
    EXPECT_EQ(TransferVessels(sim), (Names{"UMmuTBeta"}));
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Beta"), (Names{"Ivo Brandt", "Ada Kerr"}));
    ExpectCrewConserved();

    Key("Alpha", "E");
    sim.Run(1.0);
    EXPECT_EQ(RosterNames("Alpha"), Names{});
    EXPECT_EQ(RosterNames("Beta"), (Names{"Ivo Brandt", "Ada Kerr", "Max Poe"}));
    EXPECT_TRUE(TransferVessels(sim).empty());
    ExpectCrewConserved();
}

// A walking-in crew vessel whose "U-Mm" numbers are negative, huge or not numbers: the member
// arrives with age, pulse and weight within their limits, and the ship's mass stays finite.
TEST_F(HostileInputTest, MemberAttachmentWithHostileNumbers) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Case {
        VECTOR3 numbers;
        int age, pulse, weight;
    };
    const Case cases[] = {
        {{-5, -5, -5}, 1, 0, 5},          {{1e300, 1e300, 1e300}, 140, 180, 300},
        {{-1e300, 3e9, -3e9}, 1, 180, 5}, {{kNaN, kInf, -kInf}, 1, 180, 5},
        {{kInf, kNaN, kNaN}, 140, 0, 5},
    };
    CreateShip("Alpha");
    Key("Alpha", "A");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.numbers.x << " " << c.numbers.y << " " << c.numbers.z);
        const double emptyMass = Describe("Alpha")["empty_mass"].get<double>();
        const OBJHANDLE walker = sim.CreateVessel("UMmu_Tech-Odd", crew_addon::kCrewClassName);
        ASSERT_NE(walker, nullptr);
        sim.Interface(walker)->CreateAttachment(true, c.numbers, VECTOR3{}, VECTOR3{},
                                                crew_addon::kMemberAttachmentId);
        sim.Place("UMmu_Tech-Odd", "Alpha", Airlock("Alpha").value().Centre());
        sim.Run(1.0);
        ASSERT_EQ(sim.FindVessel("UMmu_Tech-Odd"), nullptr);
        const CrewLine arrived = Roster("Alpha").back();
        EXPECT_EQ(arrived.name, "Odd");
        EXPECT_EQ(arrived.age, c.age);
        EXPECT_EQ(arrived.pulse, c.pulse);
        EXPECT_EQ(arrived.weight, c.weight);
        EXPECT_DOUBLE_EQ(Describe("Alpha")["empty_mass"].get<double>(), emptyMass + c.weight);
    }
}

// A scenario with a transfer vessel under way to Beta, without the attachment its sender gave
// it, and Alpha's record of that transfer as written (with the member string's length, or without
// it as earlier versions wrote it), cut or broken: a record that reads whole names the member, its
// member string cut to what a transfer carries or filled up with the blanks the simulator trimmed
// to its length; any other is dropped and Beta sends the member out into free space as
// "Unknown".
TEST_F(HostileInputTest, BrokenRecordsOfATransferUnderWay) {
    struct Case {
        const char* line;
        Names beta;
    };
    const Names unknown{"Ivo Brandt"};
    const Case cases[] = {
        {"UMMUTRANSFER Beta 41 66 72 Capt-Ada Kerr", {"Ivo Brandt", "Ada Kerr"}},
        {"UMMUTRANSFER\tBeta  41\t66 72 Capt-Ada Kerr", {"Ivo Brandt", "Ada Kerr"}},
        {"UMMUTRANSFER Beta 41 66 72 Capt-Ada Kerr of the far outer belt colonies",
         {"Ivo Brandt", "Ada Kerr of the far outer"}},
        {"UMMUTRANSFER Beta 41 sixty 72 Capt-Ada Kerr", unknown},
        {"UMMUTRANSFER Beta 41 66 99999999999 Capt-Ada Kerr", unknown},
        {"UMMUTRANSFER Beta 41 66 72", unknown},
        {"UMMUTRANSFER Beta 41 66 72 ", unknown},
        {"UMMUTRANSFER", unknown},
        {"UMMUTRANSFERBeta 41 66 72 Capt-Ada Kerr", unknown},
        {"UMMUTRANSFER Beta 41 66 72 13:Capt-Ada Kerr", {"Ivo Brandt", "Ada Kerr"}},
        {"UMMUTRANSFER Beta 41 66 72 15:Capt-Ada Kerr", {"Ivo Brandt", "Ada Kerr  "}},
        {"UMMUTRANSFER Beta 41 66 72 12:Capt-Ada Kerr", unknown},
        {"UMMUTRANSFER Beta 41 66 72 0:Capt-Ada Kerr", unknown},
        {"UMMUTRANSFER Beta 41 66 72 34:Capt-Ada Kerr", unknown},
        {"UMMUTRANSFER Beta 41 66 72 13:", unknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        DeleteEveryVessel();
        test_support::ScenarioBuilder scenario;
        scenario.Environment(quillmar_test::kScenarioMjd).Focus("Alpha");
        test_support::AddDockedPair(scenario, "Alpha", {c.line}, "Beta",
                                    {"UMMUCREW Doc-Ivo_Brandt-52-71-90"});
        scenario.Vessel("UMmuTBeta", crew_addon::kCrewClassName,
                        {"STATUS Orbiting Earth", "RPOS 6778000 0 0", "RVEL 0 7668.5 0"});
        scenario.Load(sim);
        Key("Beta", "A");
        sim.Run(1.0);
        EXPECT_TRUE(TransferVessels(sim).empty());
        EXPECT_EQ(RosterNames("Beta"), c.beta);
        EXPECT_EQ(test_support::WalkingCrewVessels(sim),
                  c.beta == unknown ? Names{"UMmu_Unknown"} : Names{});
    }
}

}  // namespace
}  // namespace robustness
