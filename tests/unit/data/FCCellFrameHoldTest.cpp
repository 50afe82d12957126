#include "framework/data/FCCellFrameHold.h"
#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "data/RecordTestSupport.h"
#include "framework/data/FCCell.h"
#include "hostinterface/RecordBytes.h"
#include "support/HostFixture.h"

#include <functional>
#include <vector>

namespace {

using RecordTest::kClefChangeTag;
using RecordTest::kFrameHoldTag;
using RecordTest::kStaffTag;
constexpr std::int16_t kStaff = 5;
constexpr std::uint16_t kClefList = FCCellFrameHold::kClefListFlag;

class FCCellFrameHoldTest : public HostFixture {
public:
    // Public so that the cases of a table can build their documents.
    void PutFrameHold(std::int16_t staff, std::int16_t measure, std::int16_t clef,
                      std::uint16_t flags = 0, std::vector<std::int16_t> layers = {0, 0, 0, 0}) {
        RecordStore::Bytes record(14);
        RecordBytes::Write(record.data(), 0, clef);
        RecordBytes::Write(record.data(), 2, flags);
        RecordBytes::Write(record.data(), 4, std::int16_t{100});
        for (std::size_t layer = 0; layer < layers.size(); ++layer) {
            RecordBytes::Write(record.data(), 6 + 2 * layer, layers[layer]);
        }
        Store(kFrameHoldTag).Put(kFrameHoldTag, staff, measure, 0, std::move(record));
    }

    void PutClefChanges(std::int16_t list, const std::vector<std::int16_t>& clefs) {
        for (std::size_t position = 0; position < clefs.size(); ++position) {
            RecordStore::Bytes record(12);
            RecordBytes::Write(record.data(), 0, clefs[position]);
            Store(kClefChangeTag)
                .Put(kClefChangeTag, list, static_cast<std::uint16_t>(position), 0,
                     std::move(record));
        }
    }

    // The staff's record in the current layout; the clef is the low byte of the word at 12.
    void PutStaff(std::int16_t staff, std::uint16_t defaultClefWord) {
        RecordStore::Bytes record(136);
        RecordBytes::Write(record.data(), 12, defaultClefWord);
        Store(kStaffTag).Put(kStaffTag, staff, 0, 0, std::move(record));
    }

    RecordStore& Store(std::uint32_t tag) { return host.Document().StoreFor(tag); }

    // Whether the frame hold of (measure, staff) with the given clef starts a clef change.
    bool IsClefChange(std::int32_t measure, std::int16_t clef) {
        PutFrameHold(kStaff, static_cast<std::int16_t>(measure), clef);
        FCCell cell(measure, kStaff);
        FCCellFrameHold hold;
        hold.SetCell(&cell);
        EXPECT_TRUE(hold.LoadFirst());
        return hold.IsClefChange();
    }
};

TEST_F(FCCellFrameHoldTest, TheClefBeforeTheCellDecidesWhetherItChanges) {
    struct Case {
        const char* what;
        std::function<void(FCCellFrameHoldTest&)> document;
        std::int32_t measure;
        std::int16_t clef;
        bool change;
    };
    const Case cases[] = {
        {"measure 1 never changes", [](auto& t) { t.PutStaff(kStaff, 3); }, 1, 4, false},
        {"no earlier frame hold, same as the staff's clef",
         [](auto& t) { t.PutStaff(kStaff, 0x0703); }, 5, 3, false},
        {"no earlier frame hold, other than the staff's clef",
         [](auto& t) { t.PutStaff(kStaff, 0x0703); }, 5, 7, true},
        {"no earlier frame hold and no staff record reads clef 0", [](auto&) {}, 5, 0, false},
        {"frame holds of other staves do not count",
         [](auto& t) {
             t.PutStaff(kStaff, 2);
             t.PutFrameHold(kStaff + 1, 4, 6);
         },
         5, 2, false},
        {"the nearest earlier frame hold decides, same clef",
         [](auto& t) {
             t.PutStaff(kStaff, 1);
             t.PutFrameHold(kStaff, 1, 4);
             t.PutFrameHold(kStaff, 3, 2);
         },
         5, 2, false},
        {"the nearest earlier frame hold decides, other clef",
         [](auto& t) {
             t.PutStaff(kStaff, 1);
             t.PutFrameHold(kStaff, 1, 2);
             t.PutFrameHold(kStaff, 3, 4);
         },
         5, 2, true},
        {"a clef-change list ending with the same clef",
         [](auto& t) {
             t.PutFrameHold(kStaff, 4, 9, kClefList);
             t.PutClefChanges(9, {1, 3, 6});
         },
         5, 6, false},
        {"a clef-change list ending with another clef",
         [](auto& t) {
             t.PutFrameHold(kStaff, 4, 9, kClefList);
             t.PutClefChanges(9, {6, 1});
         },
         5, 6, true},
        {"an empty clef-change list leaves the frame hold's own value",
         [](auto& t) { t.PutFrameHold(kStaff, 2, 9, kClefList); }, 5, 9, false},
    };
    for (const Case& c : cases) {
        host.Document() = HostDocument{};
        c.document(*this);
        EXPECT_EQ(IsClefChange(c.measure, c.clef), c.change) << c.what;
    }
}

TEST_F(FCCellFrameHoldTest, TheStaffRecordIsReadInTheLayoutOfTheHost) {
    struct Case {
        std::uint32_t hostVersion;
        std::int64_t recordVersion;
        std::int64_t room;
    };
    const Case cases[] = {{HostAbi::kInterfaceVersion, 0x12000000, 136},
                          {0x12000000, 0x12000000, 136},
                          {0x11FFFFFF, 0x11000000, 132},
                          {0x11000000, 0x11000000, 132},
                          {0x10FFFFFF, 0x0F000000, 114}};
    for (const Case& c : cases) {
        hostVersion = c.hostVersion;
        host.Document() = HostDocument{};
        RecordStore::Bytes record(static_cast<std::size_t>(c.room));
        RecordBytes::Write(record.data(), 12, std::uint16_t{0x0104});
        Store(kStaffTag).Put(kStaffTag, kStaff, 0, 0, std::move(record));
        host.ClearCalls();
        EXPECT_EQ(IsClefChange(5, 4), false) << std::hex << c.hostVersion;
        const auto loads = host.CallsTo("FX_LoadEData");
        ASSERT_FALSE(loads.empty());
        // The last load is the staff's: (tag, staff, 0, 0, room, version).
        EXPECT_EQ(loads.back().args,
                  (std::vector<std::int64_t>{kStaffTag, kStaff, 0, 0, c.room, c.recordVersion}))
            << std::hex << c.hostVersion;
    }
}

TEST_F(FCCellFrameHoldTest, LayerValuesTravelWithTheRecordForEveryLayerTheHostHas) {
    struct Case {
        std::int16_t hostLayers;
        std::vector<std::int16_t> loaded;
        std::vector<std::int16_t> saved;
    };
    // Layer 1 is set to 9; layers the object does not have keep their stored values.
    const Case cases[] = {{6, {1, 2, 3, 4, 0, 0}, {1, 9, 3, 4}}, {2, {1, 2}, {1, 9, 3, 4}}};
    for (const Case& c : cases) {
        host.Music().SetLayerCount(c.hostLayers);
        PutFrameHold(kStaff, 3, 7, 0x20, {1, 2, 3, 4});
        FCCell cell(3, kStaff);
        FCCellFrameHold hold;
        hold.SetCell(&cell);
        ASSERT_TRUE(hold.LoadFirst());
        std::vector<std::int16_t> loaded;
        for (int layer = 0; layer < hold.GetLayerCount(); ++layer) {
            loaded.push_back(hold.GetLayerValue(layer));
        }
        EXPECT_EQ(loaded, c.loaded) << c.hostLayers;
        hold.SetLayerValue(1, 9);
        ASSERT_TRUE(hold.Save());
        const RecordStore::Found stored = Store(kFrameHoldTag).Find(kFrameHoldTag, kStaff, 3, 0);
        ASSERT_NE(stored, nullptr);
        std::vector<std::int16_t> saved;
        for (std::size_t layer = 0; layer < 4; ++layer) {
            saved.push_back(RecordBytes::Read<std::int16_t>(stored->data(), 6 + 2 * layer));
        }
        EXPECT_EQ(saved, c.saved) << c.hostLayers;
        EXPECT_EQ(RecordBytes::Read<std::int16_t>(stored->data(), 0), 7);
        EXPECT_EQ(RecordBytes::Read<std::uint16_t>(stored->data(), 2), 0x20);
    }
}

TEST_F(FCCellFrameHoldTest, ANewFrameHoldIsCreatedForItsCell) {
    FCCell cell(8, kStaff);
    FCCellFrameHold hold;
    EXPECT_EQ(hold.GetDataSize(), 14);
    EXPECT_EQ(hold.GetClefPercent(), 100);
    EXPECT_FALSE(hold.SaveNew()); // no cell yet
    hold.SetCell(&cell);
    hold.SetLayerValue(0, 5);
    ASSERT_TRUE(hold.SaveNew());
    const RecordStore::Found stored = Store(kFrameHoldTag).Find(kFrameHoldTag, kStaff, 8, 0);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(RecordBytes::Read<std::int16_t>(stored->data(), 4), 100);
    EXPECT_EQ(RecordBytes::Read<std::int16_t>(stored->data(), 6), 5);
}

} // namespace
