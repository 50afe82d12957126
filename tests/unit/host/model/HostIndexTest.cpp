// The stand-in host's look-ups that are indexed or only counted: the busiest staff of a measure
// (the music-spacing menu command), the slot of a staff in the current part's list, and the call
// log.
#include "binding/HostApi.h"
#include "host/model/HostEdit.h"
#include "host/model/HostMusic.h"
#include "host/model/HostRecords.h"
#include "host/model/HostStaffLists.h"
#include "support/HostFixture.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

class HostIndexTest : public HostFixture {};

TEST_F(HostIndexTest, BusiestStaffAddsTheLayersOfOneStaffInOneMeasure) {
    HostMusic music;
    music.SetEntries(2, 5, 0, {1, 1});
    music.SetEntries(2, 5, 3, {1});
    music.SetEntries(1, 5, 0, {1, 1});
    music.SetEntries(3, 4, 0, {1, 1, 1, 1});
    music.SetEntries(3, 6, 1, {1, 1, 1, 1, 1});
    music.SetEntries(1, 5, 2, {}); // a cell emptied again
    music.SetEntries(4, 8, 0, {1, 1, 1});
    music.SetEntries(5, 8, 1, {1, 1, 1, 1, 1, 1});
    music.SetEntries(5, 8, 1, {1, 1}); // the busiest staff shrinks below another one
    music.SetEntries(6, 9, 0, {1, 1});
    music.SetEntries(6, 9, 0, {}); // the only staff emptied
    const struct {
        std::int16_t measure;
        int busiest;
    } cases[] = {{4, 4}, {5, 3}, {6, 5}, {7, 0}, {-1, 0}, {8, 3}, {9, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(music.BusiestStaffEntryCount(c.measure), c.busiest) << "measure " << c.measure;
    }
}

TEST_F(HostIndexTest, CellsSetAfterAReadingCountAndOnlyLayersBelowTheCountHoldEntries) {
    HostMusic music;
    music.SetLayerCount(4);
    music.SetEntries(3, 2, 0, {1, 1, 1});
    ASSERT_EQ(music.BusiestStaffEntryCount(2), 3);
    ASSERT_TRUE(music.HoldsEntries(3, 2));
    music.SetEntries(4, 2, 1, {1, 1});
    music.SetEntries(3, 2, 0, {});  // emptied after it was read
    music.SetEntries(5, 2, 6, {1}); // above the layer count: counted, but no layer of the host's
    EXPECT_EQ(music.BusiestStaffEntryCount(2), 2);
    const struct {
        std::int16_t staff;
        std::int16_t measure;
        bool holds;
    } cases[] = {{4, 2, true}, {3, 2, false}, {5, 2, false}, {4, 3, false}, {4, 1, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(music.HoldsEntries(c.staff, c.measure), c.holds)
            << "staff " << c.staff << ", measure " << c.measure;
    }
}

TEST_F(HostIndexTest, SlotOfAStaffFollowsEveryChangeOfThePartsList) {
    HostDocument& document = host.Document();
    HostStaffLists::Put(document, 0, {7, 3, 9});
    EXPECT_EQ(HostApi::InstToSlot(9), 3);
    EXPECT_EQ(HostApi::InstToSlot(4), 0);

    host.Edit().Start(document, u"edit");
    HostStaffLists::Put(document, 0, {9, 4});
    EXPECT_EQ(HostApi::InstToSlot(9), 1);
    EXPECT_EQ(HostApi::InstToSlot(4), 2);
    EXPECT_EQ(HostApi::InstToSlot(7), 0);

    host.Edit().Cancel(document);
    EXPECT_EQ(HostApi::InstToSlot(9), 3) << "a cancelled edit brings the old list back";

    HostStaffLists::Put(document, 1, {5});
    document.SetCurrentPart(1);
    EXPECT_EQ(HostApi::InstToSlot(9), 0) << "each part has its own list";
    EXPECT_EQ(HostApi::InstToSlot(0), 0);
}

TEST_F(HostIndexTest, CallsAreCountedAlwaysKeptOnlyWhenAskedAndStreamedAsLines) {
    host.KeepCalls(false);
    std::ostringstream stream;
    host.StreamCalls(&stream);
    std::int16_t keys[3] = {1, 0, 0};
    const unsigned char bytes[] = {0x0F, 0xA0};
    static_cast<void>(
        HostApi::SaveEData(HostRecords::Measure::kTag, keys, bytes, 2, HostAbi::kInterfaceVersion));
    static_cast<void>(HostApi::GetMaxLayers());
    EXPECT_EQ(host.CallCount(), 2u);
    EXPECT_TRUE(host.Calls().empty());
    const std::string streamed = "FX_SaveEData(1397706067, 1, 0, 0, 2, 419430400) 0fa0\n"
                                 "FX_GetMaxLayers(419430400)\n";
    EXPECT_EQ(stream.str(), streamed);

    host.StreamCalls(nullptr);
    host.KeepCalls(true);
    static_cast<void>(HostApi::GetMaxLayers());
    EXPECT_EQ(host.CallCount(), 3u);
    ASSERT_EQ(host.Calls().size(), 1u);
    EXPECT_EQ(host.Calls()[0].name, "FX_GetMaxLayers");
    EXPECT_EQ(stream.str(), streamed) << "nothing more streamed";
}

} // namespace
