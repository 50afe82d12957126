#include "data/RecordTestSupport.h"
#include "framework/data/FCCollectionInciOther.h"
#include "framework/data/FCCollectionNoInciOther.h"
#include "framework/data/FCMeasure.h"
#include "framework/data/FCStaffSystems.h"
#include "support/HostFixture.h"

namespace {

using RecordTest::Int16At;
using RecordTest::kIncidenceTag;
using RecordTest::kMeasureTag;
using RecordTest::kSystemTag;
using RecordTest::Record;

class TestMeasures : public __FCCollectionNoInciOther {
public:
    FCMeasure* CreateElement() override { return new FCMeasure; }
    FCMeasure* At(int index) const { return static_cast<FCMeasure*>(GetItemAt(index)); }
};

// The test incidence with a copy that takes the other record's bytes into its own buffer.
class CopyingIncidence : public RecordTest::TestIncidence {
public:
    __FCBaseData* CreateObject() const override { return new CopyingIncidence; }
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }
};

class TestIncidences : public __FCCollectionInciOther {
public:
    CopyingIncidence* CreateElement() override { return new CopyingIncidence; }
    CopyingIncidence* At(int index) const {
        return static_cast<CopyingIncidence*>(GetItemAt(index));
    }
};

class FCCollectionDataTest : public HostFixture {
protected:
    RecordStore& Layout() { return host.Document().LayoutOf(0); }
    RecordStore& Shared() { return host.Document().Shared(); }

    void PutIncidences(std::uint16_t item, std::initializer_list<int> values) {
        std::uint16_t incidence = 0;
        for (int value : values) {
            Shared().Put(kIncidenceTag, item, incidence++, 0, Record(12, {{0, value}}));
        }
    }
    std::vector<int> StoredIncidences(std::uint16_t item) {
        std::vector<int> values;
        for (std::uint16_t incidence = 0; incidence < 8; ++incidence) {
            if (const auto bytes = Shared().Find(kIncidenceTag, item, incidence, 0)) {
                values.push_back(Int16At(bytes->data(), 0));
            }
        }
        return values;
    }
};

TEST_F(FCCollectionDataTest, LoadAllGivesEveryRecordItsOwnElement) {
    for (std::uint16_t system : {1, 2, 3}) {
        Layout().Put(kSystemTag, system, 0, 0, Record(28, {{8, system * 4}}));
    }
    FCStaffSystems systems;
    EXPECT_EQ(systems.LoadAll(), 3);
    for (int index = 0; index < 3; ++index) {
        const auto* system = static_cast<FCStaffSystem*>(systems.GetItemAt(index));
        EXPECT_EQ(system->GetItemNo(), index + 1);
        EXPECT_EQ(system->GetStartMeasure(), (index + 1) * 4);
        EXPECT_EQ(system->GetDocumentStamp(), 1);
    }
    EXPECT_STREQ(systems.ClassName(), "FCStaffSystems");

    Layout().Erase(RecordKey{kSystemTag, {1, 0, 0}});
    EXPECT_EQ(systems.LoadAll(), 0) << "the walk starts at system 1";
}

TEST_F(FCCollectionDataTest, SaveAllSavesInOrderAndStopsAtTheFirstFailure) {
    for (std::uint16_t measure : {1, 2, 3}) {
        Layout().Put(kMeasureTag, measure, 0, 0, Record(30, {{0, 100}}));
    }
    TestMeasures measures;
    ASSERT_EQ(measures.LoadAll(), 3);
    for (int index = 0; index < 3; ++index) {
        measures.At(index)->SetWidth(static_cast<std::int16_t>(200 + index));
    }
    ASSERT_TRUE(measures.SaveAll());
    EXPECT_EQ(Int16At(Layout().Find(kMeasureTag, 3, 0, 0)->data(), 0), 202);

    Layout().Erase(RecordKey{kMeasureTag, {2, 0, 0}});
    host.ClearCalls();
    EXPECT_FALSE(measures.SaveAll());
    EXPECT_EQ(host.CallsTo("FX_SaveEData").size(), 2u) << "measure 3 is not saved";
}

TEST_F(FCCollectionDataTest, LoadAllForStopsAtTheFirstMissingIncidence) {
    PutIncidences(4, {10, 11, 12});
    Shared().Put(kIncidenceTag, 4, 5, 0, Record(12, {{0, 15}}));
    TestIncidences incidences;
    EXPECT_EQ(incidences.LoadAllFor(4), 3);
    EXPECT_EQ(incidences.At(2)->Value(), 12);
    EXPECT_EQ(incidences.LoadAllFor(9), 0) << "an item without incidences";
    EXPECT_EQ(incidences.GetCount(), 0);
}

TEST_F(FCCollectionDataTest, CountForCountsWhatLoadAllForLoadsAndReadsOnlyTheRecords) {
    PutIncidences(4, {10, 11, 12});
    Shared().Put(kIncidenceTag, 4, 5, 0, Record(12, {{0, 15}}));
    PutIncidences(7, {70, 71, 72});
    Shared().Put(kIncidenceTag, 7, 1, 0, Record(20, {{0, 71}}));
    const struct {
        int item;
        int count;
    } cases[] = {{4, 3}, {9, 0}, {7, 1}}; // 7: a record too large for the element ends the run
    TestIncidences held;
    ASSERT_EQ(held.LoadAllFor(4), 3);
    for (const auto& c : cases) {
        host.ClearCalls();
        EXPECT_EQ(held.CountFor(c.item), c.count) << "item " << c.item;
        EXPECT_EQ(host.Calls().size(), host.CallsTo("FX_LoadEData").size())
            << "item " << c.item << ": no document stamps";
        EXPECT_EQ(held.GetCount(), 3) << "the contents stay";
        TestIncidences loaded;
        EXPECT_EQ(loaded.LoadAllFor(c.item), c.count) << "item " << c.item;
    }
}

TEST_F(FCCollectionDataTest, DeleteAllForRemovesTheConsecutiveIncidencesLastFirst) {
    PutIncidences(4, {10, 11, 12});
    PutIncidences(5, {50});
    TestIncidences incidences;
    EXPECT_TRUE(incidences.DeleteAllFor(9));
    EXPECT_TRUE(incidences.DeleteAllFor(4));
    EXPECT_TRUE(StoredIncidences(4).empty());
    EXPECT_EQ(StoredIncidences(5), std::vector<int>{50});
    EXPECT_EQ(RecordTest::KeysOfCalls(host, "FX_DeleteEData", kIncidenceTag),
              (std::vector<std::pair<int, int>>{{4, 2}, {4, 1}, {4, 0}}));
}

TEST_F(FCCollectionDataTest, SaveAllForReplacesTheIncidencesInCollectionOrder) {
    PutIncidences(4, {10, 11, 12});
    PutIncidences(6, {60, 61});
    TestIncidences incidences;
    ASSERT_EQ(incidences.LoadAllFor(6), 2);
    EXPECT_TRUE(incidences.SaveAllFor(4));
    EXPECT_EQ(StoredIncidences(4), (std::vector<int>{60, 61}));

    TestIncidences empty;
    EXPECT_TRUE(empty.SaveAllFor(4));
    EXPECT_TRUE(StoredIncidences(4).empty());
    EXPECT_EQ(StoredIncidences(6), (std::vector<int>{60, 61}));
}

TEST_F(FCCollectionDataTest, SaveAllForFailsWhenTheOldIncidencesCannotBeDeleted) {
    PutIncidences(4, {10});
    host.HideFunction("FX_DeleteEData");
    TestIncidences incidences;
    ASSERT_EQ(incidences.LoadAllFor(4), 1);
    EXPECT_FALSE(incidences.SaveAllFor(4));
    EXPECT_TRUE(host.CallsTo("FX_CreateEData").empty());
    EXPECT_EQ(StoredIncidences(4), std::vector<int>{10});
}

} // namespace
