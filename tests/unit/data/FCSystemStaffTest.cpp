#include "framework/data/FCSystemStaff.h"
#include "framework/data/FCSystemStaves.h"
#include "host/model/HostStaffLists.h"
#include "hostinterface/RecordBytes.h"
#include "support/HostFixture.h"

namespace {

constexpr std::uint32_t kPercentTag = 0x64744C50; // dtLP
constexpr std::int16_t kList = 3;

class FCSystemStaffTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        HostStaffLists::Put(host.Document(), 0, {11, 12});
        HostStaffLists::Put(host.Document(), kList, {11, 12});
        PutPercent(kList, 12, 75);
    }

    void PutPercent(std::int16_t list, std::int16_t staff, std::int16_t percent) {
        RecordStore::Bytes record(10);
        RecordBytes::Write(record.data(), 0, percent);
        PercentStore().Put(kPercentTag, list, staff, 0, std::move(record));
    }

    // The stored percentage of a staff in a list, or -1 when there is no record.
    int StoredPercent(std::int16_t list, std::int16_t staff) {
        const RecordStore::Found record = PercentStore().Find(kPercentTag, list, staff, 0);
        return record ? RecordBytes::Read<std::int16_t>(record->data(), 0) : -1;
    }

    RecordStore& PercentStore() { return host.Document().StoreFor(kPercentTag); }
};

TEST_F(FCSystemStaffTest, APercentageIsReadFromItsOwnRecordOr100) {
    struct Case {
        std::int16_t list;
        int position;
        std::int16_t staff;
        std::int16_t percent;
    };
    // The score's list never has percentages, even where a record exists under item 0.
    PutPercent(0, 12, 60);
    const Case cases[] = {{kList, 1, 12, 75}, {kList, 0, 11, 100}, {0, 1, 12, 100}};
    for (const Case& c : cases) {
        FCSystemStaff staff;
        staff.SetAuxPercent(33);
        ASSERT_TRUE(staff.Load(c.list, c.position));
        EXPECT_EQ(staff.GetStaff(), c.staff);
        EXPECT_EQ(staff.GetAuxPercent(), c.percent) << c.list << "/" << c.position;
    }
}

TEST_F(FCSystemStaffTest, SavingPercentage100RemovesItsRecord) {
    FCSystemStaff staff;
    ASSERT_TRUE(staff.Load(kList, 1));
    staff.SetAuxPercent(100);
    EXPECT_TRUE(staff.Save());
    EXPECT_EQ(StoredPercent(kList, 12), -1);
    // With nothing left to remove the save still succeeds.
    EXPECT_TRUE(staff.Save());
}

TEST_F(FCSystemStaffTest, SavingAnotherPercentageStoresItWhetherOrNotOneWasThere) {
    struct Case {
        int position;
        std::int16_t staff;
    };
    const Case cases[] = {{1, 12}, {0, 11}};
    for (const Case& c : cases) {
        FCSystemStaff staff;
        ASSERT_TRUE(staff.Load(kList, c.position));
        staff.SetAuxPercent(-40);
        EXPECT_TRUE(staff.Save()) << c.staff;
        EXPECT_EQ(StoredPercent(kList, c.staff), -40) << c.staff;
    }
}

TEST_F(FCSystemStaffTest, TheScoresListStoresNoPercentage) {
    FCSystemStaff staff;
    ASSERT_TRUE(staff.Load(0, 1));
    staff.SetAuxPercent(60);
    EXPECT_TRUE(staff.Save());
    EXPECT_EQ(StoredPercent(0, 12), -1);
}

TEST_F(FCSystemStaffTest, NothingIsSavedForAnUnloadedStaffAndSaveAsAddsAPosition) {
    FCSystemStaff fresh;
    fresh.SetAuxPercent(50);
    EXPECT_FALSE(fresh.Load(kList, 7));
    EXPECT_FALSE(fresh.Save());
    EXPECT_EQ(StoredPercent(kList, 0), -1);

    FCSystemStaff added;
    added.SetStaff(13);
    added.SetAuxPercent(120);
    ASSERT_TRUE(added.SaveAs(kList));
    EXPECT_EQ(HostStaffLists::StaffAt(host.Document(), 3, kList), 13);
    EXPECT_EQ(StoredPercent(kList, 13), 120);
}

TEST_F(FCSystemStaffTest, TheStavesOfAListKeepTheirPercentages) {
    FCSystemStaves staves;
    ASSERT_EQ(staves.LoadAllFor(kList), 2);
    const auto* second = static_cast<FCSystemStaff*>(staves.GetItemAt(1));
    EXPECT_EQ(second->GetStaff(), 12);
    EXPECT_EQ(second->GetAuxPercent(), 75);
    // Writing the list back leaves the percentages as they were.
    EXPECT_TRUE(staves.SaveAll());
    EXPECT_EQ(StoredPercent(kList, 12), 75);
}

} // namespace
