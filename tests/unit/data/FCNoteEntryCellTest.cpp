#include "framework/data/FCNoteEntryCell.h"
#include "binding/HostApi.h"
#include "data/RecordTestSupport.h"
#include "framework/data/FCNote.h"
#include "framework/data/FCNoteEntry.h"
#include "host/model/HostStaffLists.h"
#include "hostinterface/RecordBytes.h"
#include "support/HostFixture.h"

#include <string>
#include <vector>

namespace {

using RecordTest::kMeasureTag;
constexpr std::int16_t kStaff = 22;
constexpr std::int16_t kMeasure = 2;

class FCNoteEntryCellTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        HostStaffLists::Put(host.Document(), 0, {21, kStaff});
        for (std::uint16_t measure = 1; measure <= 3; ++measure) {
            host.Document().LayoutOf(0).Put(kMeasureTag, measure, 0, 0, RecordStore::Bytes(30));
        }
        // Each layer's entries have their own note counts, so the counts tell the layers apart.
        host.Music().SetEntries(kStaff, kMeasure, 0, {1});
        host.Music().SetEntries(kStaff, kMeasure, 1, {2, 2});
        host.Music().SetEntries(kStaff, kMeasure, 2, {3});
        host.Music().SetEntries(kStaff, kMeasure, 3, {4});
        host.Music().SetLayerShown(1, false);
        host.Music().SetLayerShown(3, false);
    }

    // The layers the cell asked the host for since the last ClearCalls.
    std::vector<std::int64_t> LayersAsked() const {
        std::vector<std::int64_t> layers;
        for (const HostCall& call : host.CallsTo("FX_LoadTGF")) {
            layers.push_back(call.args[3]);
        }
        return layers;
    }

    static std::vector<int> NoteCounts(const FCNoteEntryCell& cell) {
        std::vector<int> counts;
        for (int i = 0; i < cell.GetCount(); ++i) {
            counts.push_back(static_cast<FCNoteEntry*>(cell.GetItemAt(i))->GetCount());
        }
        return counts;
    }
};

TEST_F(FCNoteEntryCellTest, TheLayerSelectionDecidesWhichLayersAreLoaded) {
    struct Case {
        std::int32_t selection;
        std::vector<std::int64_t> layers;
        std::vector<int> noteCounts;
    };
    // Layers 1 and 3 are hidden.
    const Case cases[] = {
        {2, {1}, {2, 2}},
        {4, {3}, {4}},
        {0x500, {0, 2}, {1, 3}},
        {0x800, {3}, {4}},
        {5, {}, {}},
        {FCNoteEntryCell::kNoLayers, {}, {}},
        {FCNoteEntryCell::kAllLayers, {0, 1, 2, 3}, {1, 2, 2, 3, 4}},
        {FCNoteEntryCell::kShownLayers, {0, 2}, {1, 3}},
        {FCNoteEntryCell::kHiddenLayers, {1, 3}, {2, 2, 4}},
    };
    for (const Case& c : cases) {
        host.ClearCalls();
        FCNoteEntryCell cell(kMeasure, kStaff);
        cell.SetLayerSelection(c.selection);
        EXPECT_TRUE(cell.Load()) << std::hex << c.selection;
        EXPECT_EQ(LayersAsked(), c.layers) << std::hex << c.selection;
        EXPECT_EQ(NoteCounts(cell), c.noteCounts) << std::hex << c.selection;
    }
}

TEST_F(FCNoteEntryCellTest, FramesAreAskedForBySlotMeasureLayerAndOption) {
    FCNoteEntryCell cell(kMeasure, kStaff);
    cell.SetLayerSelection(3);
    cell.SetLoadOption(0);
    ASSERT_TRUE(cell.Load());
    const auto calls = host.CallsTo("FX_LoadTGF");
    ASSERT_EQ(calls.size(), 1u);
    // Staff 22 sits at slot 2 of the score's list.
    EXPECT_EQ(calls[0].args,
              (std::vector<std::int64_t>{0, 2, kMeasure, 2, 0, HostAbi::kInterfaceVersion}));
}

TEST_F(FCNoteEntryCellTest, EntriesAndNotesAreReadFromTheFramesInLoadOrder) {
    FCNoteEntryCell cell(kMeasure, kStaff);
    cell.SetLayerSelection(FCNoteEntryCell::kAllLayers);
    ASSERT_TRUE(cell.Load());
    ASSERT_EQ(cell.GetCount(), 5);
    for (int i = 0; i < cell.GetCount(); ++i) {
        const auto* entry = static_cast<FCNoteEntry*>(cell.GetItemAt(i));
        EXPECT_EQ(entry->GetStaff(), kStaff);
        EXPECT_EQ(entry->GetFrameValue(), kMeasure);
        EXPECT_EQ(entry->GetPrevious(), i > 0 ? cell.GetItemAt(i - 1) : nullptr) << i;
        EXPECT_EQ(entry->GetNext(), cell.GetItemAt(i + 1)) << i;
        for (int n = 0; n < entry->GetCount(); ++n) {
            const auto* note = static_cast<FCNote*>(entry->GetItemAt(n));
            EXPECT_EQ(note->GetPosition(), n);
            EXPECT_EQ(note->GetEntry(), entry);
            // The host numbers its notes in their first word.
            EXPECT_EQ(RecordBytes::Read<std::int16_t>(note->GetItem(), 0), n);
        }
    }
    // The second entry of layer 1 is the host's entry 1 of that frame.
    const auto* fourth = static_cast<FCNoteEntry*>(cell.GetItemAt(2));
    EXPECT_EQ(RecordBytes::Read<std::int16_t>(fourth->GetEntryData(), 0), 1);
    EXPECT_EQ(fourth->GetFrame(), static_cast<FCNoteEntry*>(cell.GetItemAt(1))->GetFrame());
}

TEST_F(FCNoteEntryCellTest, TheLayerCountComesFromTheHostOrIsFour) {
    host.Music().SetLayerCount(6);
    host.Music().SetEntries(kStaff, kMeasure, 5, {7});
    struct Case {
        bool hostTells;
        std::size_t layersAsked;
        int entries;
    };
    const Case cases[] = {{true, 6, 6}, {false, 4, 5}};
    for (const Case& c : cases) {
        if (!c.hostTells) {
            host.HideFunction("FX_GetMaxLayers");
            HostApi::ResetBinding(); // as for a host that never had the function
        }
        host.ClearCalls();
        FCNoteEntryCell cell(kMeasure, kStaff);
        cell.SetLayerSelection(FCNoteEntryCell::kAllLayers);
        ASSERT_TRUE(cell.Load());
        EXPECT_EQ(LayersAsked().size(), c.layersAsked) << c.hostTells;
        EXPECT_EQ(cell.GetCount(), c.entries) << c.hostTells;
    }
}

TEST_F(FCNoteEntryCellTest, AFrameTheHostCannotGiveLeavesNothingHeld) {
    // The host has two layers but does not say so: layer 2 fails after 0 and 1 were loaded.
    host.HideFunction("FX_GetMaxLayers");
    host.Music().SetLayerCount(2);
    FCNoteEntryCell cell(kMeasure, kStaff);
    cell.SetLayerSelection(FCNoteEntryCell::kAllLayers);
    EXPECT_FALSE(cell.Load());
    EXPECT_EQ(cell.GetCount(), 0);
    EXPECT_EQ(host.Music().OpenFrameCount(), 0u);
    EXPECT_EQ(host.CallsTo("FX_FreeTGF").size(), 2u);

    FCNoteEntryCell missing(9, kStaff);
    missing.SetLayerSelection(FCNoteEntryCell::kAllLayers);
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(host.Music().OpenFrameCount(), 0u);
}

TEST_F(FCNoteEntryCellTest, AnEntryTestLoadsLayersOnlyUntilOneHoldsAnEntry) {
    // Measure 3 holds an entry on layer 2 only; measure 1 holds none.
    host.Music().SetEntries(kStaff, 3, 2, {0});
    struct Case {
        std::int16_t measure;
        std::int32_t selection;
        bool holds;
        std::vector<std::int64_t> layers;
    };
    const Case cases[] = {
        {kMeasure, FCNoteEntryCell::kAllLayers, true, {0}},
        {3, FCNoteEntryCell::kAllLayers, true, {0, 1, 2}},
        {1, FCNoteEntryCell::kAllLayers, false, {0, 1, 2, 3}},
        {3, FCNoteEntryCell::kShownLayers, true, {0, 2}},
        {3, FCNoteEntryCell::kHiddenLayers, false, {1, 3}},
        // A measure the host has no frames for holds nothing.
        {9, FCNoteEntryCell::kAllLayers, false, {0}},
    };
    for (const Case& c : cases) {
        host.ClearCalls();
        FCNoteEntryCell cell(c.measure, kStaff);
        cell.SetLayerSelection(c.selection);
        EXPECT_EQ(cell.HoldsAnyEntry(), c.holds) << c.measure << ' ' << c.selection;
        EXPECT_EQ(LayersAsked(), c.layers) << c.measure << ' ' << c.selection;
        EXPECT_EQ(host.Music().OpenFrameCount(), 0u) << "every frame is given back at once";
        EXPECT_TRUE(host.CallsTo("FX_SlotToInst").empty()) << "no entry is built";
    }
}

TEST_F(FCNoteEntryCellTest, FramesAreGivenBackOnReloadAndDestruction) {
    {
        FCNoteEntryCell cell(kMeasure, kStaff);
        cell.SetLayerSelection(FCNoteEntryCell::kAllLayers);
        ASSERT_TRUE(cell.Load());
        ASSERT_TRUE(cell.Load());
        EXPECT_EQ(host.Music().OpenFrameCount(), 4u);
        EXPECT_EQ(cell.GetCount(), 5);
    }
    EXPECT_EQ(host.Music().OpenFrameCount(), 0u);
}

TEST_F(FCNoteEntryCellTest, AnEmptyCellLoadsWithNoEntries) {
    FCNoteEntryCell cell(1, kStaff);
    cell.SetLayerSelection(FCNoteEntryCell::kAllLayers);
    EXPECT_TRUE(cell.Load());
    EXPECT_EQ(cell.GetCount(), 0);
}

TEST_F(FCNoteEntryCellTest, NoteCountsBeyondWhatAnEntryHoldsAreCutToIt) {
    host.Music().SetEntries(kStaff, 3, 0, {20, -1});
    FCNoteEntryCell cell(3, kStaff);
    cell.SetLayerSelection(1);
    ASSERT_TRUE(cell.Load());
    ASSERT_EQ(cell.GetCount(), 2);
    EXPECT_EQ(static_cast<FCNoteEntry*>(cell.GetItemAt(0))->GetCount(), 13);
    EXPECT_EQ(static_cast<FCNoteEntry*>(cell.GetItemAt(1))->GetCount(), 0);
}

} // namespace
