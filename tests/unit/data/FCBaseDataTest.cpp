#include "data/RecordTestSupport.h"
#include "framework/data/FCCellDetail.h"
#include "framework/data/FCGeneralPrefs.h"
#include "framework/data/FCMeasure.h"
#include "framework/data/FCMusicSpacingPrefs.h"
#include "framework/data/FCStaffSystem.h"
#include "support/HostFixture.h"

#include <functional>

namespace {

using RecordTest::Bytes;
using RecordTest::Int16At;
using RecordTest::kFrameHoldTag;
using RecordTest::kIncidenceTag;
using RecordTest::kMeasureTag;
using RecordTest::kSystemTag;
using RecordTest::Record;
using RecordTest::TestIncidence;

// A cell detail of 14 bytes, usable at once.
class TestCellDetail : public __FCCellDetail {
public:
    TestCellDetail() { SetDataSize(14); }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new TestCellDetail; }
    std::uint32_t RecordTag() const override { return kFrameHoldTag; }
    std::int32_t RecordSize() const override { return 14; }

private:
    unsigned char record_[14] = {};
};

class FCBaseDataTest : public HostFixture {
protected:
    RecordStore& Layout() { return host.Document().LayoutOf(0); }
    RecordStore& Shared() { return host.Document().Shared(); }

    void PutMeasure(std::uint16_t measure, int width) {
        Layout().Put(kMeasureTag, measure, 0, 0, Record(30, {{0, width}}, 0x5A));
    }
    int StoredWidth(std::uint16_t measure) {
        return Int16At(Layout().Find(kMeasureTag, measure, 0, 0)->data(), 0);
    }
};

TEST_F(FCBaseDataTest, OperationsOnUnloadedObjectsFailWithoutAHostCall) {
    PutMeasure(1, 100);
    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"Save", [] { return FCMeasure().Save(); }},
        {"Reload", [] { return FCMeasure().Reload(); }},
        {"SaveAs", [] { return FCStaffSystem().SaveAs(1); }},
        {"SaveNew", [] { return FCMeasure().SaveNew(); }},
        {"incidence SaveAs", [] { return TestIncidence().SaveAs(1); }},
        {"incidence Reload", [] { return TestIncidence().Reload(); }},
        {"incidence LoadFirst", [] { return TestIncidence().LoadFirst(); }},
        {"composed preference Save", [] { return FCMusicSpacingPrefs().Save(); }},
        {"whole preference Save", [] { return FCGeneralPrefs().Save(); }},
        {"preference Reload", [] { return FCMusicSpacingPrefs().Reload(); }},
    };
    for (const auto& [name, operation] : cases) {
        EXPECT_FALSE(operation()) << name;
    }
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(FCBaseDataTest, AFailedLoadAfterASuccessfulOneUnloads) {
    PutMeasure(1, 100);
    FCMeasure measure;
    ASSERT_TRUE(measure.Load(1));
    EXPECT_EQ(measure.GetDataSize(), 30);
    EXPECT_EQ(measure.GetDocumentStamp(), 1);
    EXPECT_FALSE(measure.Load(2));
    EXPECT_EQ(measure.GetDataSize(), 0);
    host.ClearCalls();
    EXPECT_FALSE(measure.Save());
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(FCBaseDataTest, SaveAndReloadGoToTheLoadedRecord) {
    PutMeasure(4, 100);
    FCMeasure measure;
    ASSERT_TRUE(measure.Load(4));
    measure.SetWidth(250);
    ASSERT_TRUE(measure.Save());
    EXPECT_EQ(StoredWidth(4), 250);
    EXPECT_EQ(Layout().Find(kMeasureTag, 4, 0, 0)->at(2), 0x5A) << "other bytes written back";

    PutMeasure(4, 90);
    EXPECT_TRUE(measure.Reload());
    EXPECT_EQ(measure.GetWidth(), 90);
}

TEST_F(FCBaseDataTest, LoadNextWalksInKeyOrderAndKeepsTheLastRecordAtTheEnd) {
    for (std::uint16_t number : {5, 1, 2}) {
        PutMeasure(number, number * 10);
    }
    FCMeasure measure;
    std::vector<int> walked;
    for (bool more = measure.LoadFirst(); more; more = measure.LoadNext()) {
        walked.push_back(measure.GetItemNo());
    }
    EXPECT_EQ(walked, (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(measure.GetDataSize(), 30);
    EXPECT_EQ(measure.GetWidth(), 50);
    measure.SetWidth(55);
    EXPECT_TRUE(measure.Save());
    EXPECT_EQ(StoredWidth(5), 55) << "the keys stay on the last record";
}

TEST_F(FCBaseDataTest, SaveNewSendsPlaceholderKeysAndTakesTheAssignedItem) {
    PutMeasure(1, 100);
    PutMeasure(2, 100);
    FCMeasure measure;
    ASSERT_TRUE(measure.Load(1));
    measure.SetWidth(333);
    ASSERT_TRUE(measure.SaveNew());
    const auto creates = host.CallsTo("FX_CreateEData");
    ASSERT_EQ(creates.size(), 1u);
    EXPECT_EQ(creates[0].args, (std::vector<std::int64_t>{kMeasureTag, -1, -1, 0, 30, 0x12000000}));
    EXPECT_EQ(measure.GetItemNo(), 3);
    EXPECT_EQ(StoredWidth(3), 333);
}

TEST_F(FCBaseDataTest, ARefusedCreateLeavesTheKeys) {
    PutMeasure(2, 100);
    Layout().Put(kMeasureTag, 0xFFFE, 0, 0, Record(30, {}));
    FCMeasure measure;
    ASSERT_TRUE(measure.Load(2));
    EXPECT_FALSE(measure.SaveNew());
    EXPECT_EQ(measure.GetItemNo(), 2);
}

TEST_F(FCBaseDataTest, NoIncidenceSaveAsWritesOverAnotherItemOrKeepsItsOwn) {
    PutMeasure(1, 100);
    PutMeasure(7, 700);
    FCMeasure measure;
    ASSERT_TRUE(measure.Load(1));
    EXPECT_TRUE(measure.SaveAs(7));
    EXPECT_EQ(StoredWidth(7), 100);
    EXPECT_EQ(measure.GetItemNo(), 7);

    EXPECT_FALSE(measure.SaveAs(9)) << "no record 9 to replace";
    EXPECT_EQ(measure.GetItemNo(), 7);
    EXPECT_EQ(Layout().CountOf(kMeasureTag), 2u);
}

TEST_F(FCBaseDataTest, IncidenceSaveAsCreatesTheNextIncidence) {
    Shared().Put(kIncidenceTag, 5, 0, 0, Record(12, {{0, 50}}));
    Shared().Put(kIncidenceTag, 2, 0, 0, Record(12, {{0, 20}}));
    TestIncidence incidence;
    ASSERT_TRUE(incidence.Load(2, 0));
    ASSERT_TRUE(incidence.SaveAs(5));
    EXPECT_EQ(host.CallsTo("FX_CreateEData")[0].args,
              (std::vector<std::int64_t>{kIncidenceTag, 5, -1, 0, 12, HostAbi::kInterfaceVersion}));
    EXPECT_EQ(incidence.Incidence(), 1);
    EXPECT_EQ(Int16At(Shared().Find(kIncidenceTag, 5, 1, 0)->data(), 0), 20);

    Shared().Put(kIncidenceTag, 5, 1, 0, Record(12, {{0, 21}}));
    EXPECT_TRUE(incidence.Reload());
    EXPECT_EQ(incidence.Value(), 21);
}

TEST_F(FCBaseDataTest, DeleteDataRemovesTheRecordAtTheKeys) {
    PutMeasure(3, 100);
    PutMeasure(4, 100);
    FCMeasure measure;
    ASSERT_TRUE(measure.Load(3));
    EXPECT_TRUE(measure.DeleteDataSecondEntry());
    EXPECT_EQ(Layout().Find(kMeasureTag, 3, 0, 0), nullptr);
    EXPECT_NE(Layout().Find(kMeasureTag, 4, 0, 0), nullptr);
    EXPECT_FALSE(measure.DeleteData());
}

TEST_F(FCBaseDataTest, DefaultCopyTakesABlockOfItsOwn) {
    Shared().Put(kIncidenceTag, 2, 0, 0, Record(10, {{0, 20}}));
    Shared().Put(kIncidenceTag, 3, 0, 0, Record(12, {{0, 30}}));
    TestIncidence source;
    TestIncidence copy;
    copy.CopyDataFrom(&source);
    EXPECT_EQ(copy.GetDataSize(), 0) << "an unloaded source gives nothing";

    ASSERT_TRUE(source.Load(2, 0));
    copy.CopyDataFrom(&source);
    EXPECT_EQ(copy.GetDataSize(), 10);
    ASSERT_TRUE(source.Load(3, 0));
    EXPECT_EQ(copy.Value(), 20) << "the copy does not share the source's storage";

    ASSERT_TRUE(copy.Load(3, 0));
    EXPECT_EQ(copy.GetDataSize(), 12);
    EXPECT_EQ(copy.Value(), 30);
}

TEST_F(FCBaseDataTest, RecordClassesCopyOnlyTheirOwnClass) {
    PutMeasure(1, 123);
    FCMeasure source;
    ASSERT_TRUE(source.Load(1));
    FCMeasure copy;
    copy.CopyDataFrom(&source);
    EXPECT_EQ(copy.GetDataSize(), 30);
    EXPECT_EQ(copy.GetWidth(), 123);

    host.Document().LayoutOf(0).Put(kSystemTag, 1, 0, 0, Record(28, {{0, 77}}));
    FCStaffSystem system;
    ASSERT_TRUE(system.Load(1));
    FCMeasure other;
    other.CopyDataFrom(&system);
    EXPECT_EQ(other.GetDataSize(), 0);
    EXPECT_EQ(other.GetWidth(), 0);
}

TEST_F(FCBaseDataTest, CellDetailsAreKeyedByTheirCell) {
    TestCellDetail detail;
    EXPECT_FALSE(detail.LoadFirst());
    EXPECT_FALSE(detail.SaveNew());
    EXPECT_TRUE(host.Calls().empty());

    Shared().Put(kFrameHoldTag, 6, 12, 0, Record(14, {{0, 3}}));
    FCCell cell(12, 6);
    detail.SetCell(&cell);
    EXPECT_TRUE(detail.LoadFirst());
    EXPECT_EQ(host.CallsTo("FX_LoadEData")[0].args,
              (std::vector<std::int64_t>{kFrameHoldTag, 6, 12, 0, 14, HostAbi::kInterfaceVersion}));
    EXPECT_FALSE(detail.LoadNext());

    ASSERT_TRUE(detail.SaveNew());
    EXPECT_EQ(
        host.CallsTo("FX_CreateEData")[0].args,
        (std::vector<std::int64_t>{kFrameHoldTag, 6, 12, -1, 14, HostAbi::kInterfaceVersion}));
    EXPECT_NE(Shared().Find(kFrameHoldTag, 6, 12, 1), nullptr);
}

} // namespace
