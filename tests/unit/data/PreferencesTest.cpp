#include "binding/PluginState.h"
#include "data/RecordTestSupport.h"
#include "framework/data/FCDistancePrefs.h"
#include "framework/data/FCGeneralPrefs.h"
#include "framework/data/FCMiscDocPrefs.h"
#include "framework/data/FCMultiMeasureRestPrefs.h"
#include "framework/data/FCMusicSpacingPrefs.h"
#include "hostinterface/RecordTag.h"
#include "support/HostFixture.h"

#include <set>

namespace {

using RecordTest::Bytes;
using RecordTest::Int16At;
using RecordTest::Record;
using RecordTest::UInt32At;

class PreferencesTest : public HostFixture {
protected:
    HostDocument& Document() { return host.Document(); }

    // The distinct components read, as (tag, key 1, key 2), and the number of reads.
    std::pair<std::set<std::tuple<std::int64_t, std::int64_t, std::int64_t>>, std::size_t>
    ComponentReads() const {
        std::set<std::tuple<std::int64_t, std::int64_t, std::int64_t>> distinct;
        const auto loads = host.CallsTo("FX_LoadEData");
        for (const HostCall& call : loads) {
            distinct.emplace(call.args[0], call.args[1], call.args[2]);
        }
        return {distinct, loads.size()};
    }
};

TEST_F(PreferencesTest, MusicSpacingIsComposedFromFourComponentsReadOnce) {
    Document().PutComponent("94", 0xFFFE, 0, {1, 36, 1500, 0, 0, 0});
    Document().PutComponent("94", 0xFFFE, 1, {0, 0, 0, 0, 0, 10000});
    Document().PutComponent("94", 0xFFFE, 2, {1, 0, 0, 0, 0, 0});
    Document().PutComponent("41", 0xFFFE, 2, {0, 0, 8, 9, 0, 0});
    FCMusicSpacingPrefs prefs;
    ASSERT_TRUE(prefs.Load(1));
    EXPECT_EQ(prefs.GetDataSize(), 34);
    EXPECT_EQ(prefs.GetDocumentStamp(), 0) << "a composed load leaves the stamp";
    EXPECT_EQ(prefs.GetMinimumWidth(), 36);
    EXPECT_EQ(prefs.GetMaximumWidth(), 1500);
    EXPECT_FLOAT_EQ(prefs.GetSpacingRatio(), 7.5536f);
    EXPECT_EQ(Int16At(prefs.GetRecordBuffer(), 32), 9);
    EXPECT_EQ(RecordTest::KeysOfCalls(host, "FX_LoadEData", HostDocument::ComponentTag("94")),
              (std::vector<std::pair<int, int>>{{-2, 0}, {-2, 1}, {-2, 2}}));
    EXPECT_EQ(RecordTest::KeysOfCalls(host, "FX_LoadEData", HostDocument::ComponentTag("41")),
              (std::vector<std::pair<int, int>>{{-2, 2}}));
    EXPECT_EQ(host.CallsTo("FX_LoadEData").size(), 4u) << "the pfMS record itself is never asked";
}

TEST_F(PreferencesTest, SpacingRatioReadsTheLowHalfUnsigned) {
    struct Case {
        std::uint16_t low;
        std::uint16_t high;
        float ratio;
    };
    const Case cases[] = {{10000, 0, 1.0f}, {10000, 1, 7.5536f}, {50000, 0, 5.0f}, {0, 0, 0.0f}};
    for (const Case& c : cases) {
        Document().PutComponent("94", 0xFFFE, 1, {0, 0, 0, 0, 0, c.low});
        Document().PutComponent("94", 0xFFFE, 2, {c.high, 0, 0, 0, 0, 0});
        FCMusicSpacingPrefs prefs;
        ASSERT_TRUE(prefs.Load(1));
        EXPECT_FLOAT_EQ(prefs.GetSpacingRatio(), c.ratio) << c.low << " " << c.high;
    }
}

TEST_F(PreferencesTest, ComposedRecordsLoadWithoutComponentsAndForAnyNumber) {
    FCDistancePrefs prefs;
    EXPECT_TRUE(prefs.Load(3));
    EXPECT_EQ(prefs.GetDataSize(), 76);
    EXPECT_EQ(prefs.GetClefDistance(), 0);
    const auto [distinct, reads] = ComponentReads();
    EXPECT_EQ(distinct.size(), 14u);
    EXPECT_EQ(reads, 14u);
}

TEST_F(PreferencesTest, DistanceFieldsIncludeAHighFirstPair) {
    Document().PutComponent("13", 0xFFFE, 0, {0, 0, 0, 24, 0, 0});
    Document().PutComponent("68", 0xFFFE, 0, {0, 0, 0, 0, 0x0001, 0x0002});
    FCDistancePrefs prefs;
    ASSERT_TRUE(prefs.LoadFirst());
    EXPECT_EQ(prefs.GetClefDistance(), 24);
    EXPECT_EQ(UInt32At(prefs.GetRecordBuffer(), 18), 0x00010002u);
}

TEST_F(PreferencesTest, UnchangedMultimeasureRestPrefsWriteNothing) {
    Document().PutComponent("25", 0xFFFE, 0, {240, 0, 0, 0, 0, 0});
    Document().PutComponent("25", 0xFFFE, 1, {0, 0, 0, 0xFFF4, 0, 0});
    Document().PutComponent("83", 0xFFFE, 0, {5, 6, 7, 8, 1, 9});
    FCMultiMeasureRestPrefs prefs;
    ASSERT_TRUE(prefs.Load(1));
    EXPECT_EQ(prefs.GetDataSize(), 26);
    EXPECT_EQ(prefs.GetMeasureWidth(), 240);
    EXPECT_EQ(prefs.GetRestAdjust(), -12);
    EXPECT_TRUE(prefs.GetAutoUpdate());
    ASSERT_TRUE(prefs.Save());
    EXPECT_TRUE(host.CallsTo("FX_SaveEData").empty());
}

TEST_F(PreferencesTest, TurningAutoUpdateOffWritesOnlyItsComponent) {
    Document().PutComponent("25", 0xFFFE, 0, {240, 0, 0, 0, 0, 0});
    Document().PutComponent("83", 0xFFFE, 0, {5, 6, 7, 8, 1, 9});
    FCMultiMeasureRestPrefs prefs;
    ASSERT_TRUE(prefs.Load(1));
    prefs.SetAutoUpdate(false);
    host.ClearCalls();
    ASSERT_TRUE(prefs.Save());
    const auto saves = host.CallsTo("FX_SaveEData");
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].args, (std::vector<std::int64_t>{HostDocument::ComponentTag("83"), -2, 0, 0,
                                                        12, HostAbi::kInterfaceVersion}));
    EXPECT_EQ(Document().ComponentAt("83", 0xFFFE, 0),
              (HostDocument::ComponentWords{5, 6, 7, 8, 0, 9}));
    EXPECT_TRUE(prefs.Reload());
    EXPECT_FALSE(prefs.GetAutoUpdate());
}

TEST_F(PreferencesTest, MiscFieldsOfNewerHostsAreReadOnlyThere) {
    struct Case {
        std::uint32_t hostVersion;
        bool readsOffset0;
        bool readsOffset96;
        std::size_t components;
    };
    const Case cases[] = {{0x11FFFFFF, false, false, 21},
                          {0x12000000, false, true, 22},
                          {0x12050000, true, true, 23}};
    Document().PutComponent("22", 0xFFFE, 0, {0, 0, 0, 0, 222, 0});
    Document().PutComponent("FI", 10, 0, {0, 0, 0, 0, 0, 96});
    Document().PutComponent("13", 0xFFFE, 0, {0, 0, 75, 0, 0, 0});
    for (const Case& c : cases) {
        host.ClearCalls();
        hostVersion = c.hostVersion;
        FCMiscDocPrefs prefs;
        auto* record = static_cast<unsigned char*>(prefs.GetRecordBuffer());
        std::fill(record, record + 98, 0xEE);
        ASSERT_TRUE(prefs.Load(1));
        EXPECT_EQ(prefs.GetDataSize(), 98);
        EXPECT_EQ(prefs.GetClefPercentDefault(), 75);
        EXPECT_EQ(Int16At(record, 0), c.readsOffset0 ? 222 : -4370) << std::hex << c.hostVersion;
        EXPECT_EQ(Int16At(record, 96), c.readsOffset96 ? 96 : -4370) << std::hex << c.hostVersion;
        EXPECT_EQ(Int16At(record, 14), 1) << "inverted: a missing word reads as 1";
        const auto [distinct, reads] = ComponentReads();
        EXPECT_EQ(distinct.size(), c.components) << std::hex << c.hostVersion;
        EXPECT_EQ(reads, c.components) << std::hex << c.hostVersion;
    }
}

TEST_F(PreferencesTest, GeneralPrefsAreLoadedWholeInTheirOldLayout) {
    Document().Shared().Put(RecordTagOf("pfgp"), 1, 0, 0, Record(66, {{30, 3}}, 0x42));
    FCGeneralPrefs prefs;
    ASSERT_TRUE(prefs.Load(1));
    EXPECT_EQ(host.CallsTo("FX_LoadEData")[0].args,
              (std::vector<std::int64_t>{RecordTagOf("pfgp"), 1, 0, 0, 66, 0x0D000000}));
    EXPECT_EQ(prefs.GetMeasurementUnit(), 3);
    EXPECT_EQ(prefs.GetDocumentStamp(), 1);
    ASSERT_TRUE(prefs.Save());
    EXPECT_EQ(host.CallsTo("FX_SaveEData")[0].args,
              (std::vector<std::int64_t>{RecordTagOf("pfgp"), 1, 0, 0, 66, 0x0D000000}));
    EXPECT_FALSE(prefs.Load(2));
    EXPECT_EQ(prefs.GetDataSize(), 0);
}

TEST_F(PreferencesTest, CopiesTakeTheWholeComposedRecord) {
    Document().PutComponent("94", 0xFFFE, 0, {0, 36, 1500, 0, 0, 0});
    FCMusicSpacingPrefs source;
    ASSERT_TRUE(source.Load(1));
    std::unique_ptr<__FCBaseData> copy(source.CreateObject());
    copy->CopyDataFrom(&source);
    EXPECT_EQ(copy->GetDataSize(), 34);
    EXPECT_EQ(static_cast<FCMusicSpacingPrefs*>(copy.get())->GetMaximumWidth(), 1500);
}

} // namespace
