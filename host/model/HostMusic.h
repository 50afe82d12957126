// The music the stand-in host holds: the entries of each cell on each layer, the layers and which
// of them are shown, and the entry frames it hands out (counted until they are freed).
#pragma once

#include "host/model/HostDocument.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <span>
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
    // One cell's entries: their note counts lie one after another in noteCounts_ from `first`.
    struct Cell {
        std::uint64_t key;
        std::uint32_t first;
        std::uint32_t count;
    };
    // The entry count of the busiest staff of a measure that holds entries.
    struct MeasureCount {
        std::uint16_t measure;
        int busiest;
    };

    // (measure, staff, layer) packed into one number: the cells sorted by it lie measure by
    // measure, each measure's staff by staff.
    static std::uint64_t CellKey(std::int16_t measure, std::int16_t staff, std::int16_t layer);
    // The cell's note counts; empty when it holds none.
    std::span<const std::int16_t> CellEntries(std::int16_t measure, std::int16_t staff,
                                              std::int16_t layer) const;
    // Puts the cells set since the last reading in key order, keeps only the last setting of each
    // cell, packs their note counts and counts each measure's busiest staff.
    void Arrange() const;
    void CountBusiestStaves() const;

    static bool MeasureExists(HostDocument& document, std::int16_t measure);
    std::unique_ptr<Frame> BuildFrame(std::int16_t slot, std::int16_t measure,
                                      std::span<const std::int16_t> noteCounts) const;

    // A score's cells arrive in any order; they are added at the end as they are set and
    // arranged when next read. Flat arrays keep a cell at 16 bytes and its entries at 2 bytes
    // each, where a node per cell would take several times that.
    mutable std::vector<Cell> cells_;
    mutable std::vector<std::int16_t> noteCounts_;
    // Each measure's busiest staff, counted when the cells are arranged, so the music-spacing
    // command asks for it without visiting the measure's cells.
    mutable std::vector<MeasureCount> busiest_;
    mutable bool arranged_ = true;
    std::int16_t layerCount_ = kDefaultLayerCount;
    std::set<std::int16_t> hiddenLayers_;
    std::map<const void*, std::unique_ptr<Frame>> frames_;
    int foreignFrees_ = 0;
};
