#include "framework/core/FCMusicRegion.h"
#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "data/RecordTestSupport.h"
#include "framework/data/FCStaffSystem.h"
#include "host/model/HostStaffLists.h"
#include "host/standin/HostCall.h"
#include "hostinterface/RecordBytes.h"
#include "support/HostFixture.h"

#include <string>
#include <vector>

namespace {

using Region = HostSelection::Region;
constexpr std::int32_t kEnd = FCMusicRegion::kEndOfMeasure;

class FCMusicRegionTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        // The score lists staves 11, 12, 13; list 5 lists 12 and 13.
        HostStaffLists::Put(host.Document(), 0, {11, 12, 13});
        HostStaffLists::Put(host.Document(), 5, {12, 13});
    }

    // A region as the user would select it.
    FCMusicRegion Selected(const Region& selection) {
        host.Selection().Select(selection);
        FCMusicRegion region;
        EXPECT_TRUE(region.LoadCurrentSelection());
        return region;
    }
};

TEST_F(FCMusicRegionTest, TheSelectionRecordIsReadFieldByField) {
    const FCMusicRegion region = Selected({5, 2, 300, -70000, 6, 3, 301, 0x12345678});
    EXPECT_EQ(region.GetStartStaffList(), 5);
    EXPECT_EQ(region.GetStartSlot(), 2);
    EXPECT_EQ(region.GetStartMeasure(), 300);
    EXPECT_EQ(region.GetStartPosition(), -70000);
    EXPECT_EQ(region.GetEndStaffList(), 6);
    EXPECT_EQ(region.GetEndSlot(), 3);
    EXPECT_EQ(region.GetEndMeasure(), 301);
    EXPECT_EQ(region.GetEndPosition(), 0x12345678);
    EXPECT_EQ(region.GetDocument(), host.Document().Number());
    EXPECT_FALSE(region.IsEmpty());
}

TEST_F(FCMusicRegionTest, NothingSelectedOrNoHostFunctionGivesAnEmptyRegion) {
    EXPECT_TRUE(Selected({}).IsEmpty());
    host.HideFunction("FX_GetCurERegions");
    HostApi::ResetBinding(); // as for a host that never had the function
    FCMusicRegion region;
    EXPECT_FALSE(region.LoadCurrentSelection());
    EXPECT_TRUE(region.IsEmpty());
}

TEST_F(FCMusicRegionTest, RegionsOverlapWhenTheyShareAStaffWhereTheirMeasuresTouch) {
    // A: staves 11 and 12, from position 512 of measure 3 to position 1024 of measure 5.
    const FCMusicRegion a = Selected({0, 1, 3, 512, 0, 2, 5, 1024});
    struct Case {
        const char* what;
        Region b;
        bool overlapping;
    };
    const Case cases[] = {
        {"inside", {0, 1, 4, 0, 0, 1, 4, kEnd}, true},
        {"after", {0, 1, 6, 0, 0, 2, 8, kEnd}, false},
        {"before", {0, 1, 1, 0, 0, 2, 2, kEnd}, false},
        {"starts in A's last measure after A ends", {0, 1, 5, 1025, 0, 2, 7, kEnd}, false},
        {"starts in A's last measure where A ends", {0, 1, 5, 1024, 0, 2, 7, kEnd}, true},
        {"starts in A's last measure before A ends", {0, 1, 5, 0, 0, 2, 7, kEnd}, true},
        {"ends in A's first measure before A starts", {0, 1, 1, 0, 0, 2, 3, 511}, false},
        {"ends in A's first measure where A starts", {0, 1, 1, 0, 0, 2, 3, 512}, true},
        {"same measures, other staff", {0, 3, 3, 0, 0, 3, 5, kEnd}, false},
        {"same measures, no common staff in another list", {5, 2, 3, 0, 5, 2, 5, kEnd}, false},
        {"same staff through another list", {5, 1, 3, 0, 5, 1, 5, kEnd}, true},
    };
    for (const Case& c : cases) {
        const FCMusicRegion b = Selected(c.b);
        EXPECT_EQ(a.IsOverlapping(&b), c.overlapping) << c.what;
        EXPECT_EQ(b.IsOverlapping(&a), c.overlapping) << c.what << " (other way round)";
    }
}

TEST_F(FCMusicRegionTest, SlotsWithoutAStaffShareNothing) {
    // Slots 4 to 9 of the score's list hold no staff.
    const FCMusicRegion a = Selected({0, 4, 1, 0, 0, 5, 3, kEnd});
    const FCMusicRegion b = Selected({0, 6, 1, 0, 0, 9, 3, kEnd});
    EXPECT_FALSE(a.IsOverlapping(&b));
}

TEST_F(FCMusicRegionTest, EqualRegionsHaveTheSameStavesMeasuresAndPositions) {
    const Region base = {0, 2, 3, 256, 0, 3, 5, kEnd};
    const FCMusicRegion a = Selected(base);
    struct Case {
        const char* what;
        Region b;
        bool equal;
    };
    // The last slot's staff is found through the end staff list: A ends on staff 13.
    const Case cases[] = {
        {"same", base, true},
        {"same last staff through another list", {0, 2, 3, 256, 5, 2, 5, kEnd}, true},
        {"other last staff through another list", {0, 2, 3, 256, 5, 1, 5, kEnd}, false},
        {"other start list, same first staff", {5, 1, 3, 256, 0, 3, 5, kEnd}, false},
        {"other first staff", {0, 1, 3, 256, 0, 3, 5, kEnd}, false},
        {"other last staff", {0, 2, 3, 256, 0, 2, 5, kEnd}, false},
        {"other start measure", {0, 2, 4, 256, 0, 3, 5, kEnd}, false},
        {"other end measure", {0, 2, 3, 256, 0, 3, 6, kEnd}, false},
        {"other start position", {0, 2, 3, 0, 0, 3, 5, kEnd}, false},
        {"other end position", {0, 2, 3, 256, 0, 3, 5, 0}, false},
    };
    // B is read while another document is current: the document is no part of equality.
    host.Document().SetNumber(2);
    for (const Case& c : cases) {
        const FCMusicRegion b = Selected(c.b);
        EXPECT_EQ(a.IsEqual(&b), c.equal) << c.what;
    }
}

TEST_F(FCMusicRegionTest, AStaffSystemBecomesARegionOverAllItsStavesAndMeasures) {
    using RecordTest::kStaffListTag;
    using RecordTest::kSystemTag;
    struct Case {
        const char* what;
        std::uint32_t hostVersion;
        std::uint16_t flags;
        std::int16_t start;
        std::int16_t next;
        std::vector<std::int16_t> ownStaves;
        bool made;
        std::int16_t staffList;
        std::int16_t endSlot;
    };
    // System 5's own list of staves is given per case; the score lists three.
    const std::vector<std::int16_t> four = {11, 12, 13, 14};
    const Case cases[] = {
        {"list of its own on current hosts", 0x10000000, 0, 3, 7, four, true, 5, 4},
        {"score's list on old hosts", 0x0FFFFFFF, 0, 3, 7, four, true, 0, 3},
        {"flagged list of its own on old hosts", 0x0FFFFFFF, 0x4000, 3, 7, four, true, 5, 4},
        {"one measure", HostAbi::kInterfaceVersion, 0, 3, 4, four, true, 5, 4},
        {"no measures laid out", HostAbi::kInterfaceVersion, 0, 0, 7, four, false, 0, 0},
        {"no following measure", HostAbi::kInterfaceVersion, 0, 3, 0, four, false, 0, 0},
        {"no staves", HostAbi::kInterfaceVersion, 0, 3, 7, {}, false, 0, 0},
    };
    for (const Case& c : cases) {
        hostVersion = c.hostVersion;
        host.Document() = HostDocument{};
        HostStaffLists::Put(host.Document(), 0, {11, 12, 13});
        HostStaffLists::Put(host.Document(), 5, c.ownStaves);
        RecordStore::Bytes record(28);
        RecordBytes::Write(record.data(), 8, c.start);
        RecordBytes::Write(record.data(), 10, c.flags);
        RecordBytes::Write(record.data(), 12, c.next);
        host.Document().StoreFor(kSystemTag).Put(kSystemTag, 5, 0, 0, std::move(record));
        FCStaffSystem system;
        ASSERT_TRUE(system.Load(5));

        FCMusicRegion region;
        host.ClearCalls();
        ASSERT_EQ(region.SetToStaffSystem(&system), c.made) << c.what;
        // Counting the staves reads the list's records alone: no staff percentages, no stamps.
        for (const HostCall& call : host.Calls()) {
            EXPECT_TRUE(call.name == "FX_GetCurrentEnigmaDocument" ||
                        (call.name == "FX_LoadEData" && call.args[0] == kStaffListTag))
                << c.what << ": " << call;
        }
        EXPECT_EQ(host.CallsTo("FX_GetCurrentEnigmaDocument").size(), c.made ? 1u : 0u) << c.what;
        if (!c.made) {
            EXPECT_TRUE(region.IsEmpty()) << c.what;
            continue;
        }
        EXPECT_EQ(region.GetStartStaffList(), c.staffList) << c.what;
        EXPECT_EQ(region.GetEndStaffList(), c.staffList) << c.what;
        EXPECT_EQ(region.GetStartSlot(), 1) << c.what;
        EXPECT_EQ(region.GetEndSlot(), c.endSlot) << c.what;
        EXPECT_EQ(region.GetStartMeasure(), c.start) << c.what;
        EXPECT_EQ(region.GetEndMeasure(), c.next - 1) << c.what;
        EXPECT_EQ(region.GetStartPosition(), 0) << c.what;
        EXPECT_EQ(region.GetEndPosition(), kEnd) << c.what;
        EXPECT_EQ(region.GetDocument(), host.Document().Number()) << c.what;
    }
}

} // namespace
