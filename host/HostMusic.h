// The music the stand-in host holds: the entries of each cell on each layer, the layers and which
// of them are shown, and the entry frames it hands out (counted until they are freed).
#pragma once

#include "host/HostDocument.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

class HostMusic {
public:
    // A document has four layers unless its score says otherwise, and at most twenty.
    static constexpr std::int16_t kDefaultLayerCount = 4;
    static constexpr std::int16_t kMostLayers = 20;

    HostMusic();
    ~HostMusic();
    HostMusic(HostMusic&&) noexcept;
    HostMusic& operator=(HostMusic&&) noexcept;

    // The entries of one cell on one layer, each given by its note count, in order. A count
    // above what an entry holds is written as given while only the notes that fit are stored.
    void SetEntries(std::int16_t staff, std::int16_t measure, std::int16_t layer,
                    std::vector<std::int16_t> noteCounts);

    // The most entries any one staff holds in the measure, over all its layers.
    int BusiestStaffEntryCount(std::int16_t measure) const;
    // The staff has an entry (a note, a chord or an entered rest) in the measure on one of the
    // host's layers, shown or hidden.
    bool HoldsEntries(std::int16_t staff, std::int16_t measure) const;

    std::int16_t LayerCount() const { return layerCount_; }
    void SetLayerCount(std::int16_t count) { layerCount_ = count; }
    bool IsLayerShown(std::int16_t layer) const { return hiddenLayers_.count(layer) == 0; }
    void SetLayerShown(std::int16_t layer, bool shown);

    // A frame of the cell's entries in the host's layout, owned by the host until it is freed;
    // null unless the slot holds a staff of the score's list, the measure exists and the layer
    // is below the layer count.
    void* LoadFrame(HostDocument& document, std::int16_t slot, std::int16_t measure,
                    std::int16_t layer);
    // False when the frame is not one the host handed out and still holds.
    bool FreeFrame(void* frame);

    std::size_t OpenFrameCount() const { return frames_.size(); }
    int ForeignFreeCount() const { return foreignFrees_; }

private:
    struct Frame;
    // The entry counts of a measure's staves over all their layers, and the highest of them.
    struct MeasureEntries {
        std::map<std::int16_t, int> staves;
        int busiest = 0;
    };

    // (measure, staff, layer) packed into one number: a cell is found without walking a tree
    // that grows with the score.
    static std::uint64_t CellKey(std::int16_t measure, std::int16_t staff, std::int16_t layer);
    const std::vector<std::int16_t>* CellEntries(std::int16_t measure, std::int16_t staff,
                                                 std::int16_t layer) const;
    void CountEntries(std::int16_t measure, std::int16_t staff, int change);

    static bool MeasureExists(HostDocument& document, std::int16_t measure);
    std::unique_ptr<Frame> BuildFrame(std::int16_t slot, std::int16_t measure,
                                      const std::vector<std::int16_t>& noteCounts) const;

    std::unordered_map<std::uint64_t, std::vector<std::int16_t>> entries_;
    // Kept up to date as cells are set, so the music-spacing command asks a measure's busiest
    // staff without visiting its cells.
    std::unordered_map<std::int16_t, MeasureEntries> measureEntries_;
    std::int16_t layerCount_ = kDefaultLayerCount;
    std::set<std::int16_t> hiddenLayers_;
    std::map<const void*, std::unique_ptr<Frame>> frames_;
    int foreignFrees_ = 0;
};
