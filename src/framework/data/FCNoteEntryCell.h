// The note entries of one cell (one measure on one staff), loaded layer by layer from the host's
// frames. The cell holds the frames it loaded and releases each to the host.
#pragma once

#include "framework/data/FCNoteEntryCollection.h"

#include <array>
#include <cstdint>
#include <optional>

class FCNoteEntryCell : public __FCNoteEntryCollection {
public:
    // Layer selections besides 1-4 (one layer) and masks (bit 8 + n selects layer n).
    static constexpr std::int32_t kNoLayers = -3;
    static constexpr std::int32_t kHiddenLayers = -2;
    static constexpr std::int32_t kAllLayers = -1;
    static constexpr std::int32_t kShownLayers = 0;

    FCNoteEntryCell(std::int32_t measure, std::int32_t staff) : measure_(measure), staff_(staff) {}
    FCNoteEntryCell(const FCNoteEntryCell&) = delete;
    FCNoteEntryCell& operator=(const FCNoteEntryCell&) = delete;
    ~FCNoteEntryCell() override;

    const char* ClassName() const override { return "FCNoteEntryCell"; }

    void SetLayerSelection(std::int32_t selection) { layerSelection_ = selection; }
    void SetLoadOption(std::uint8_t option) { loadOption_ = option; }
    // The slot of the cell's staff and the host's layer count, for a caller that has already
    // asked the host for them: a load then asks the host only for the frames.
    void SetSlotAndLayerCount(std::int16_t slot, int layers) {
        slot_ = slot;
        layers_ = layers;
    }

    // Loads the selected layers' entries; false, holding nothing, when a frame cannot be had.
    [[nodiscard]] bool Load();
    // Whether a selected layer holds an entry. The layers are loaded in order, each frame given
    // back at once, only until one holds an entry: an emptiness test needs no more. A layer
    // whose frame cannot be had ends the test with false, as it empties the cell in Load.
    [[nodiscard]] bool HoldsAnyEntry();

private:
    static constexpr int kMaxLayers = 20;

    template <typename Take> bool LoadSelectedFrames(Take take);
    bool IsLayerSelected(int layer) const;
    int LayersToLoad() const;
    std::int16_t Slot() const;
    void* LoadFrame(std::int16_t slot, int layer) const;
    // The frame's entries, counted as none when it has no entry array.
    static int EntryCount(const void* frame);
    // The host's layer count, never more than the cell has room for.
    static int UsableLayers(int layers);
    void AddEntriesOf(void* frame);
    // Deletes the entries and gives every frame back to the host.
    void ReleaseAll();

    std::array<void*, kMaxLayers> frames_{};
    std::int32_t measure_;
    std::int32_t staff_;
    std::int32_t layerSelection_ = kShownLayers;
    std::uint8_t loadOption_ = 1;
    std::optional<std::int16_t> slot_;
    std::optional<int> layers_;
};
