// The link record: its start, the published airlock as other vessels read it, the docked ship's
// numbers, and the module-wide table of records.
#include <array>
#include <cstring>
#include <filesystem>

#include "CrewFixture.h"

namespace crew::test {
namespace {

class AirlockLinkTest : public CrewTest {
  protected:
    AirlockLinkTest() : ship(Ship("Ship")) {}

    // A record started on the ship, its airlock not yet defined.
    AirlockLink Started(OBJHANDLE vessel) {
        AirlockLink link{};
        EXPECT_EQ(link.Init(vessel), StartResult::kStarted);
        return link;
    }

    OBJHANDLE ship;
};

TEST_F(AirlockLinkTest, InitSetsEveryFieldBeforeItChecks) {
    AirlockLink link = Started(ship);
    ASSERT_EQ(link.DefineAirlock(1, -1, 1, -1, 1, -1, 1), AirlockLink::Result::kDone);
    ASSERT_EQ(link.SetFreeSeats(3), AirlockLink::Result::kDone);
    EXPECT_EQ(link.Init(nullptr), StartResult::kNoVessel);
    EXPECT_EQ(link.Vessel(), nullptr);
    EXPECT_EQ(link.FreeSeats(), 1000) << "fields are set also when the check fails";
    EXPECT_FALSE(link.AirlockDefined());
    EXPECT_FALSE(link.Published());

    EXPECT_EQ(link.Init(ship), StartResult::kStarted);
    EXPECT_EQ(link.Vessel(), &Interface(ship));
    EXPECT_EQ(link.VesselHandle(), ship);
    EXPECT_TRUE(link.DeletesArrivalsAtOnce());
    EXPECT_EQ(link.GetArrivalWeight(), 60) << "the unknown member's";
    EXPECT_EQ(link.AuxValue(), 1000);
    EXPECT_FALSE(link.Published());
    EXPECT_GE(link.ScanTimer(), 0.0);
    EXPECT_LE(link.ScanTimer(), 1.0);

    sim.Faults().hideInterfaces = true;
    EXPECT_EQ(link.Init(ship), StartResult::kNoVessel);
    EXPECT_EQ(link.VesselHandle(), ship);
    sim.Faults().hideInterfaces = false;

    std::filesystem::remove(RootFile(crew_addon::kModuleFile));
    EXPECT_EQ(link.Init(ship), StartResult::kAddonMissing)
        << "the crew add-on's module file is checked first";
    EXPECT_EQ(link.Init(nullptr), StartResult::kAddonMissing);
    EXPECT_EQ(link.VesselHandle(), nullptr);
}

TEST_F(AirlockLinkTest, DefineAirlockRefusesBadBoxesAndStates) {
    struct Case {
        int state;
        Box box;
        AirlockLink::Result result;
    };
    constexpr auto kDefined = AirlockLink::Result::kDone;
    constexpr auto kRefused = AirlockLink::Result::kRefused;
    const Case cases[] = {
        {1, {1, 1, 2, 2, 3, 3}, kDefined},  // equal bounds are a box
        {0, kCube, kDefined},
        {1, {2, 1, -15, 15, -15, 15}, kRefused},
        {1, {-15, 15, 2, 1, -15, 15}, kRefused},
        {1, {-15, 15, -15, 15, 2, 1}, kRefused},
        {2, kCube, kRefused},
        {-1, kCube, kRefused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "state " << c.state << " x " << c.box.xMin << ".." << c.box.xMax);
        AirlockLink link = Started(ship);
        const Box& b = c.box;
        EXPECT_EQ(link.DefineAirlock(c.state, b.xMin, b.xMax, b.yMin, b.yMax, b.zMin, b.zMax),
                  c.result);
        if (c.result == kDefined) continue;
        EXPECT_FALSE(link.AirlockDefined());
        EXPECT_FALSE(link.Published());
        EXPECT_EQ(link.Box().xMax, 0.0f);
    }
    AirlockLink unstarted{};
    EXPECT_EQ(unstarted.DefineAirlock(1, -1, 1, -1, 1, -1, 1), kRefused) << "no vessel interface";
}

TEST_F(AirlockLinkTest, PublishesOneAttachmentInTheSharedLayout) {
    AirlockLink link = Started(ship);
    ASSERT_EQ(link.DefineAirlock(0, -1, 2, -3, 4, -5, 6), AirlockLink::Result::kDone);
    ASSERT_EQ(link.DefineAirlock(1, -10, 20, -30, 40, -50, 60.5f), AirlockLink::Result::kDone);
    EXPECT_EQ(Interface(ship).AttachmentCount(false), 1U) << "the second definition updates";

    auto published = ReadPublished(ship);
    ASSERT_TRUE(published);
    EXPECT_EQ(published->pos.x, -10);
    EXPECT_EQ(published->pos.y, 20);
    EXPECT_EQ(published->pos.z, -30);
    EXPECT_EQ(published->dir.x, 40);
    EXPECT_EQ(published->dir.y, -50);
    EXPECT_EQ(published->dir.z, 60.5);
    EXPECT_EQ(published->rot.x, 1);
    EXPECT_EQ(published->rot.y, 1000);
    EXPECT_EQ(published->rot.z, 1000);

    EXPECT_EQ(link.SetAuxValue(7), AirlockLink::Result::kDone);
    EXPECT_EQ(link.SetFreeSeats(-2), AirlockLink::Result::kDone);
    EXPECT_EQ(link.SetAirlockState(0), AirlockLink::Result::kDone);
    EXPECT_EQ(link.GetAirlockState(), 0);
    published = ReadPublished(ship);
    EXPECT_EQ(published->rot.x, 0);
    EXPECT_EQ(published->rot.y, 7);
    EXPECT_EQ(published->rot.z, -2);
    EXPECT_EQ(link.SetAirlockState(2), AirlockLink::Result::kRefused);

    // `print` shows the same point.
    const auto points = sim.Describe("Ship")["attachments"]["child"];
    ASSERT_EQ(points.size(), 1U);
    EXPECT_EQ(points[0]["id"], "UMmu");
}

TEST_F(AirlockLinkTest, NothingIsPublishedBeforeTheAirlockIsDefined) {
    AirlockLink link = Started(ship);
    EXPECT_EQ(link.SetAirlockState(0), AirlockLink::Result::kDone) << "the state it has already";
    EXPECT_EQ(link.SetAirlockState(1), AirlockLink::Result::kRefused);
    EXPECT_EQ(link.GetAirlockState(), -1);
    EXPECT_EQ(link.SetFreeSeats(5), AirlockLink::Result::kRefused);
    EXPECT_EQ(link.FreeSeats(), 1000);
    EXPECT_EQ(link.SetAuxValue(5), AirlockLink::Result::kRefused);
    EXPECT_EQ(link.AuxValue(), 1000);
    EXPECT_EQ(link.SetAutoDeleteArrival(0), AirlockLink::Result::kRefused);
    EXPECT_TRUE(link.DeletesArrivalsAtOnce());
    EXPECT_EQ(Interface(ship).AttachmentCount(false), 0U);

    // A host that gives no attachment leaves the airlock unpublished.
    sim.Faults().nullAttachments = true;
    EXPECT_EQ(link.DefineAirlock(1, -1, 1, -1, 1, -1, 1), AirlockLink::Result::kDone);
    EXPECT_EQ(link.SetAutoDeleteArrival(0), AirlockLink::Result::kDone);
    EXPECT_EQ(link.SetFreeSeats(5), AirlockLink::Result::kRefused);
    EXPECT_EQ(link.GetAirlockState(), -1);
}

TEST_F(AirlockLinkTest, ReadsTheDockedShipsPublishedNumbers) {
    const OBJHANDLE other = Ship("Other");
    AirlockLink link = Started(ship);
    EXPECT_EQ(link.GetDockedFreeSeats(0), -1) << "own airlock not published";
    ASSERT_EQ(link.DefineAirlock(1, -1, 1, -1, 1, -1, 1), AirlockLink::Result::kDone);
    EXPECT_EQ(link.GetDockedFreeSeats(0), -1) << "nothing docked";

    sim.Dock("Ship", 0, "Other", 0);
    EXPECT_EQ(link.GetDockedFreeSeats(0), -1) << "no child attachment";
    EXPECT_EQ(link.GetDockedFreeSeats(1), -1) << "another port";

    const VESSEL& docked = Interface(other);
    const VECTOR3 zero{};
    docked.CreateAttachment(false, zero, zero, VECTOR3{1, 5, 9}, "UMmuX");
    docked.CreateAttachment(true, zero, zero, VECTOR3{1, 5, 9}, "UMmu");
    EXPECT_EQ(link.GetDockedFreeSeats(0), -1) << "no child attachment named exactly UMmu";

    docked.CreateAttachment(false, zero, zero, VECTOR3{1, 4.7, 2.9}, "UMmu");
    docked.CreateAttachment(false, zero, zero, VECTOR3{1, 8, 8}, "UMmu");
    EXPECT_EQ(link.GetDockedFreeSeats(0), 2) << "the first UMmu, truncated";
    EXPECT_EQ(link.GetDockedAuxValue(0), 4);
}

TEST_F(AirlockLinkTest, EveryManagerGetsARecordOfItsOwn) {
    // Start managers until well past the first hundred records.
    std::vector<std::unique_ptr<CrewManager>> crews;
    std::vector<OBJHANDLE> ships;
    while (crew::LinkCount() < 105 || crews.size() < 2) {
        ships.push_back(Ship("S" + std::to_string(crews.size())));
        const int before = crew::LinkCount();
        crews.push_back(Crew(ships.back()));
        EXPECT_EQ(crews.back()->LinkIndex(), before);
        EXPECT_EQ(crew::LinkCount(), before + 1);
    }
    const std::size_t last = crews.size() - 1;
    AirlockLink* lastRecord = &LinkOf(*crews[last]);
    EXPECT_NE(lastRecord, &LinkOf(*crews[last - 1]));

    // A start that fails leaves the count; the next manager takes the same index.
    std::filesystem::rename(RootFile(crew_addon::kModuleFile), RootFile("modules\\away"));
    CrewManager failed;
    const int next = crew::LinkCount();
    EXPECT_EQ(failed.Initialize(Ship("Failed")), StartResult::kAddonMissing);
    EXPECT_EQ(crew::LinkCount(), next);
    std::filesystem::rename(RootFile("modules\\away"), RootFile(crew_addon::kModuleFile));
    const OBJHANDLE taker = Ship("Taker");
    const auto takerCrew = Crew(taker);
    EXPECT_EQ(takerCrew->LinkIndex(), next);

    // Each ship's airlock commands act on its own published airlock only; the failed manager
    // holds no record at all.
    EXPECT_EQ(crews[last]->SetAirlockState(0), CrewManager::Result::kDone);
    EXPECT_EQ(ReadPublished(ships[last])->rot.x, 0);
    EXPECT_EQ(ReadPublished(ships[last - 1])->rot.x, 1);
    EXPECT_EQ(failed.DefineAirlock(0, 0, 0, 0, 0, 0, 0), CrewManager::Result::kRefused);
    EXPECT_EQ(ReadPublished(taker)->rot.z, 8);
    EXPECT_EQ(ReadPublished(taker)->pos.y, 15);
    EXPECT_EQ(lastRecord, &LinkOf(*crews[last])) << "records never move";
}

// Every reader of a published airlock finds it the same way: child attachments named exactly
// "UMmu", in index order, the first that the reader takes; the three vectors read as the box,
// the door, the aux value and the free seats.
TEST_F(AirlockLinkTest, PublishedAirlocksAreFoundAndReadInTheSharedLayout) {
    const VESSEL& vessel = Interface(ship);
    crew_addon::PublishedAirlock airlock;
    EXPECT_EQ(crew_addon::FindPublishedAirlock(vessel, airlock), nullptr) << "none yet";

    const VECTOR3 box{-1, 3, -5};
    const VECTOR3 boxRest{7, 11, 23};
    vessel.CreateAttachment(false, box, boxRest, VECTOR3{1, 2, 3}, "UMmuX");
    vessel.CreateAttachment(true, box, boxRest, VECTOR3{1, 2, 3}, "UMmu");
    const ATTACHMENTHANDLE closed =
        vessel.CreateAttachment(false, box, boxRest, VECTOR3{0, 4, 5}, "UMmu");
    const ATTACHMENTHANDLE open =
        vessel.CreateAttachment(false, box, boxRest, VECTOR3{0.5, 6, 7.9}, "UMmu");

    EXPECT_EQ(crew_addon::FindPublishedAirlock(vessel, airlock), closed) << "the first";
    EXPECT_EQ(airlock.freeSeats, 5);
    EXPECT_EQ(
        crew_addon::FindPublishedAirlock(
            vessel, airlock, [](const crew_addon::PublishedAirlock& a) { return a.IsOpen(); }),
        open)
        << "a door state of 0.5 is open";
    // Every field, in the order the three vectors carry them.
    const crew_addon::PublishedAirlock& a = airlock;
    EXPECT_EQ((std::array{a.xMin, a.xMax, a.yMin, a.yMax, a.zMin, a.zMax, a.doorState, a.auxValue,
                          a.freeSeats}),
              (std::array{-1.0, 3.0, -5.0, 7.0, 11.0, 23.0, 0.5, 6.0, 7.9}));
    const auto asArray = [](const VECTOR3& v) { return std::array{v.x, v.y, v.z}; };
    EXPECT_EQ(asArray(airlock.Centre()), (std::array{1.0, 1.0, 17.0}));

    // Packing gives back the vectors it was read from.
    const crew_addon::PublishedAirlock::Vectors packed = airlock.Pack();
    EXPECT_EQ(asArray(packed.position), asArray(box));
    EXPECT_EQ(asArray(packed.direction), asArray(boxRest));
    EXPECT_EQ(asArray(packed.rotation), (std::array{0.5, 6.0, 7.9}));
}

TEST_F(AirlockLinkTest, ArrivalNameIsCopiedLikeStrncpy) {
    AirlockLink link{};
    link.SetArrival("UMmu Capt-Corwin Haddel", 54, 65, 82);
    char text[40];
    std::memset(text, 'x', sizeof text);
    link.GetArrivalName(text, 4);
    EXPECT_EQ(std::string(text, 5), "Captx") << "no terminator at the limit";
    link.GetArrivalName(text, 39);
    EXPECT_STREQ(text, "Capt-Corwin Haddel");

    link.SetArrival("UMmu_abcdefghijklmnopqrstuvwxyz01234567", 54, 65, 82);
    std::memset(text, 'x', sizeof text);
    link.GetArrivalName(text, 39);
    EXPECT_EQ(std::string(text, 33), "abcdefghijklmnopqrstuvwxyz012345x") << "at most 32";

    link.SetArrival("UMmu_abcdefghijklmnopqrstuvwxyz0123456789", 54, 65, 82);
    EXPECT_STREQ(link.ArrivalVesselName(), "UMmu_abcdefghijklmnopqrstuvwxyz01234567") << "39 kept";
}

}  // namespace
}  // namespace crew::test
