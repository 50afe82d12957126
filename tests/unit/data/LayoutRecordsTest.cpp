#include "binding/PluginState.h"
#include "data/RecordTestSupport.h"
#include "framework/data/FCMeasure.h"
#include "framework/data/FCMultiMeasureRest.h"
#include "framework/data/FCStaffSystem.h"
#include "support/HostFixture.h"

namespace {

using RecordTest::Bytes;
using RecordTest::Int16At;
using RecordTest::kMeasureTag;
using RecordTest::kRestTag;
using RecordTest::kSystemTag;
using RecordTest::Record;

class LayoutRecordsTest : public HostFixture {
protected:
    RecordStore& Layout() { return host.Document().LayoutOf(0); }
};

TEST_F(LayoutRecordsTest, MeasureLayoutFollowsTheHostVersion) {
    struct Case {
        std::uint32_t hostVersion;
        std::int64_t recordVersion;
        int size;
    };
    const Case cases[] = {{0x11FFFFFF, 0x0A000000, 26},
                          {0x12000000, 0x12000000, 30},
                          {HostAbi::kInterfaceVersion, 0x12000000, 30}};
    for (const Case& c : cases) {
        host.ClearCalls();
        hostVersion = c.hostVersion;
        Layout().Put(kMeasureTag, 2, 0, 0, Record(static_cast<std::size_t>(c.size), {{0, 480}}, 7));
        FCMeasure measure;
        ASSERT_TRUE(measure.Load(2)) << std::hex << c.hostVersion;
        EXPECT_EQ(host.CallsTo("FX_LoadEData")[0].args,
                  (std::vector<std::int64_t>{kMeasureTag, 2, 0, 0, c.size, c.recordVersion}));
        EXPECT_EQ(measure.GetDataSize(), c.size);
        EXPECT_EQ(measure.GetWidth(), 480);
        measure.SetWidth(512);
        ASSERT_TRUE(measure.Save());
        const RecordStore::Found stored = Layout().Find(kMeasureTag, 2, 0, 0);
        EXPECT_EQ(*stored, Record(static_cast<std::size_t>(c.size), {{0, 512}}, 7));
        EXPECT_EQ(host.CallsTo("FX_SaveEData")[0].args.back(), c.recordVersion);
    }
}

TEST_F(LayoutRecordsTest, MeasureZeroIsNeverAskedFor) {
    FCMeasure measure;
    EXPECT_FALSE(measure.Load(0));
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(LayoutRecordsTest, StaffSystemFields) {
    Layout().Put(kSystemTag, 3, 0, 0,
                 Record(28, {{8, 5}, {10, 0x4001}, {12, 9}, {14, 0x2345}, {16, 0x0001}}, 0xEE));
    FCStaffSystem system;
    ASSERT_TRUE(system.Load(3));
    EXPECT_EQ(system.GetStartMeasure(), 5);
    EXPECT_EQ(system.GetNextMeasure(), 9);
    EXPECT_EQ(system.GetSystemFlags(), 0x4001);
    EXPECT_EQ(system.GetSystemScaling(), 0x00012345);
}

TEST_F(LayoutRecordsTest, StaffListKeyIsTheSystemsOwnOnlyWhenItHasOne) {
    struct Case {
        std::uint32_t hostVersion;
        int flags;
        std::int16_t expected;
    };
    const Case cases[] = {{0x0FFFFFFF, 0x0000, 0},
                          {0x0FFFFFFF, 0x4000, 4},
                          {0x0FFFFFFF, 0xBFFF, 0},
                          {0x10000000, 0x0000, 4}};
    Layout().Put(kSystemTag, 4, 0, 0, Record(28, {}));
    for (const Case& c : cases) {
        hostVersion = c.hostVersion;
        Layout().Put(kSystemTag, 4, 0, 0, Record(28, {{10, c.flags}}));
        FCStaffSystem system;
        ASSERT_TRUE(system.Load(4));
        EXPECT_EQ(system.GetStaffListKey(), c.expected)
            << std::hex << c.hostVersion << " flags " << c.flags;
    }
}

TEST_F(LayoutRecordsTest, ANewMultimeasureRestIsUsableAtOnce) {
    FCMultiMeasureRest rest;
    EXPECT_EQ(rest.GetDataSize(), 24);
    EXPECT_EQ(rest.GetWidth(), 300);
    EXPECT_FALSE(rest.SaveNew());
    EXPECT_TRUE(host.Calls().empty());

    Layout().Put(kRestTag, 3, 0, 0, Record(24, {{0, 999}}, 0x77));
    ASSERT_TRUE(rest.SaveAs(3));
    EXPECT_EQ(*Layout().Find(kRestTag, 3, 0, 0), Record(24, {{0, 300}}));
}

TEST_F(LayoutRecordsTest, MultimeasureRestFieldsSitAtTheirOffsets) {
    Layout().Put(kRestTag, 6, 0, 0,
                 Record(24, {{0, 400}, {2, 11}, {10, 3}, {18, -20}, {22, 0x8001}}, 0x33));
    FCMultiMeasureRest rest;
    ASSERT_TRUE(rest.Load(6));
    EXPECT_EQ(rest.GetWidth(), 400);
    EXPECT_EQ(rest.GetNextMeasure(), 11);
    EXPECT_EQ(rest.GetCountLimit(), 3);
    EXPECT_EQ(rest.GetRestAdjust(), -20);
    EXPECT_EQ(rest.GetRestFlags(), 0x8001);

    rest.SetWidth(410);
    rest.SetNextMeasure(12);
    rest.SetCountLimit(4);
    rest.SetRestAdjust(-25);
    rest.SetRestFlags(0x0002);
    ASSERT_TRUE(rest.Save());
    EXPECT_EQ(*Layout().Find(kRestTag, 6, 0, 0),
              Record(24, {{0, 410}, {2, 12}, {10, 4}, {18, -25}, {22, 0x0002}}, 0x33));
}

TEST_F(LayoutRecordsTest, MultimeasureRestsAreWalkedFromMeasureZero) {
    Layout().Put(kRestTag, 9, 0, 0, Record(24, {{0, 90}}));
    Layout().Put(kRestTag, 4, 0, 0, Record(24, {{0, 40}}));
    FCMultiMeasureRest rest;
    ASSERT_TRUE(rest.LoadFirst());
    EXPECT_EQ(rest.GetItemNo(), 4);
    EXPECT_EQ(RecordTest::KeysOfCalls(host, "FX_LoadEData", kRestTag),
              (std::vector<std::pair<int, int>>{{0, 0}, {4, 0}}));
    ASSERT_TRUE(rest.LoadNext());
    EXPECT_EQ(rest.GetWidth(), 90);
    EXPECT_FALSE(rest.LoadNext());
    EXPECT_EQ(rest.GetItemNo(), 9);
}

TEST_F(LayoutRecordsTest, TheRestsOfARangeAreFoundByWalkingOnlyThem) {
    Layout().Put(kRestTag, 3, 0, 0, Record(24, {{0, 30}}));
    Layout().Put(kRestTag, 5, 1, 0, Record(24, {{0, 51}})); // not a rest's keys: passed over
    Layout().Put(kRestTag, 7, 0, 0, Record(24, {{0, 70}}));
    Layout().Put(kRestTag, 12, 0, 0, Record(24, {{0, 120}}));
    struct Case {
        std::int32_t first;
        std::int32_t last;
        int found; // 0: none
        std::vector<std::pair<int, int>> loads;
    };
    const Case cases[] = {
        {1, 20, 3, {{3, 0}}}, {4, 11, 7, {{7, 0}}}, {7, 7, 7, {{7, 0}}}, {8, 11, 0, {}},
        {13, 20, 0, {}},      {5, 6, 0, {}}, // the record at (5, 1) lies in the range but is no
                                             // rest
    };
    for (const Case& c : cases) {
        host.ClearCalls();
        FCMultiMeasureRest rest;
        EXPECT_EQ(rest.LoadFirstIn(c.first, c.last), c.found != 0) << c.first << '-' << c.last;
        if (c.found != 0) {
            EXPECT_EQ(rest.GetItemNo(), c.found);
            EXPECT_EQ(rest.GetWidth(), c.found * 10);
        }
        EXPECT_EQ(RecordTest::KeysOfCalls(host, "FX_LoadEData", kRestTag), c.loads)
            << c.first << '-' << c.last;
        // The walk starts after every record of the measure before the range.
        EXPECT_EQ(host.CallsTo("FX_NextEData").at(0).args[1], c.first - 1);
    }
}

TEST_F(LayoutRecordsTest, LayoutRecordsAreThoseOfTheCurrentPart) {
    host.Document().LayoutOf(0).Put(kMeasureTag, 1, 0, 0, Record(30, {{0, 100}}));
    host.Document().LayoutOf(2).Put(kMeasureTag, 1, 0, 0, Record(30, {{0, 200}}));
    host.Document().SetCurrentPart(2);
    FCMeasure measure;
    ASSERT_TRUE(measure.Load(1));
    EXPECT_EQ(measure.GetWidth(), 200);
}

} // namespace
