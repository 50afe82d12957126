#include "host/model/HostMusic.h"

#include "host/model/HostRecords.h"
#include "host/model/HostStaffLists.h"
#include "hostinterface/HostLayouts.h"
#include "hostinterface/RecordBytes.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>

// The frame's header and its entry array, laid out as the plug-in reads them.
struct HostMusic::Frame {
    std::vector<unsigned char> header = std::vector<unsigned char>(EntryFrame::kSize);
    std::vector<unsigned char> entries;
};

HostMusic::HostMusic() = default;
HostMusic::~HostMusic() = default;
HostMusic::HostMusic(HostMusic&&) noexcept = default;
HostMusic& HostMusic::operator=(HostMusic&&) noexcept = default;

void HostMusic::SetEntries(std::int16_t staff, std::int16_t measure, std::int16_t layer,
                           std::vector<std::int16_t> noteCounts) {
    if (noteCounts_.size() + noteCounts.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();
    }
    cells_.push_back({CellKey(measure, staff, layer),
                      static_cast<std::uint32_t>(noteCounts_.size()),
                      static_cast<std::uint32_t>(noteCounts.size())});
    noteCounts_.insert(noteCounts_.end(), noteCounts.begin(), noteCounts.end());
    arranged_ = false;
}

int HostMusic::BusiestStaffEntryCount(std::int16_t measure) const {
    Arrange();
    const auto wanted = static_cast<std::uint16_t>(measure);
    const auto found = std::lower_bound(
        busiest_.begin(), busiest_.end(), wanted,
        [](const MeasureCount& counted, std::uint16_t sought) { return counted.measure < sought; });
    return found != busiest_.end() && found->measure == wanted ? found->busiest : 0;
}

bool HostMusic::HoldsEntries(std::int16_t staff, std::int16_t measure) const {
    for (std::int16_t layer = 0; layer < layerCount_; ++layer) {
        if (!CellEntries(measure, staff, layer).empty()) {
            return true;
        }
    }
    return false;
}

std::uint64_t HostMusic::CellKey(std::int16_t measure, std::int16_t staff, std::int16_t layer) {
    return static_cast<std::uint64_t>(static_cast<std::uint16_t>(measure)) << 32 |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(staff)) << 16 |
           static_cast<std::uint16_t>(layer);
}

std::span<const std::int16_t> HostMusic::CellEntries(std::int16_t measure, std::int16_t staff,
                                                     std::int16_t layer) const {
    Arrange();
    const std::uint64_t key = CellKey(measure, staff, layer);
    const auto found =
        std::lower_bound(cells_.begin(), cells_.end(), key,
                         [](const Cell& cell, std::uint64_t sought) { return cell.key < sought; });
    if (found == cells_.end() || found->key != key) {
        return {};
    }
    return std::span<const std::int16_t>(noteCounts_).subspan(found->first, found->count);
}

void HostMusic::Arrange() const {
    if (arranged_) {
        return;
    }
    // Stable, so that of the settings of one cell the last one comes last.
    std::stable_sort(cells_.begin(), cells_.end(),
                     [](const Cell& a, const Cell& b) { return a.key < b.key; });
    std::vector<Cell> cells;
    std::vector<std::int16_t> noteCounts;
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const Cell& cell = cells_[i];
        const bool replaced = i + 1 < cells_.size() && cells_[i + 1].key == cell.key;
        if (replaced || cell.count == 0) {
            continue;
        }
        cells.push_back({cell.key, static_cast<std::uint32_t>(noteCounts.size()), cell.count});
        const auto first = noteCounts_.begin() + cell.first;
        noteCounts.insert(noteCounts.end(), first, first + cell.count);
    }
    cells.shrink_to_fit();
    noteCounts.shrink_to_fit();
    cells_ = std::move(cells);
    noteCounts_ = std::move(noteCounts);
    CountBusiestStaves();
    arranged_ = true;
}

// The cells lie measure by measure and each measure's staff by staff, so one walk adds up each
// staff's layers and keeps the highest sum of each measure.
void HostMusic::CountBusiestStaves() const {
    busiest_.clear();
    std::uint64_t staffKey = 0;
    int staffCount = 0;
    for (const Cell& cell : cells_) {
        const auto measure = static_cast<std::uint16_t>(cell.key >> 32);
        if (staffKey != cell.key >> 16) {
            staffKey = cell.key >> 16;
            staffCount = 0;
        }
        staffCount += static_cast<int>(cell.count);
        if (busiest_.empty() || busiest_.back().measure != measure) {
            busiest_.push_back({measure, 0});
        }
        busiest_.back().busiest = std::max(busiest_.back().busiest, staffCount);
    }
    busiest_.shrink_to_fit();
}

void HostMusic::SetLayerShown(std::int16_t layer, bool shown) {
    if (shown) {
        hiddenLayers_.erase(layer);
    } else {
        hiddenLayers_.insert(layer);
    }
}

void* HostMusic::LoadFrame(HostDocument& document, std::int16_t slot, std::int16_t measure,
                           std::int16_t layer) {
    const std::int16_t staff = HostStaffLists::StaffAt(document, slot, 0);
    if (staff == 0 || layer < 0 || layer >= layerCount_ || !MeasureExists(document, measure)) {
        return nullptr;
    }
    std::unique_ptr<Frame> frame = BuildFrame(slot, measure, CellEntries(measure, staff, layer));
    void* handle = frame->header.data();
    frames_.emplace(handle, std::move(frame));
    return handle;
}

bool HostMusic::FreeFrame(void* frame) {
    if (frames_.erase(frame) == 0) {
        ++foreignFrees_;
        return false;
    }
    return true;
}

bool HostMusic::MeasureExists(HostDocument& document, std::int16_t measure) {
    return measure >= 1 &&
           document.StoreFor(HostRecords::Measure::kTag)
               .Find(HostRecords::Measure::kTag, static_cast<std::uint16_t>(measure), 0, 0);
}

// Each entry carries its index in its first word and each note its index in the entry, so a
// reader that mixes entries or notes up reads the wrong numbers.
std::unique_ptr<HostMusic::Frame>
HostMusic::BuildFrame(std::int16_t slot, std::int16_t measure,
                      std::span<const std::int16_t> noteCounts) const {
    auto frame = std::make_unique<Frame>();
    frame->entries.resize(noteCounts.size() * EntryFrame::kEntrySize);
    for (std::size_t index = 0; index < noteCounts.size(); ++index) {
        unsigned char* entry = frame->entries.data() + index * EntryFrame::kEntrySize;
        RecordBytes::Write(entry, 0, static_cast<std::int16_t>(index));
        RecordBytes::Write(entry, EntryFrame::kNoteCount, noteCounts[index]);
        const int stored = std::clamp<int>(noteCounts[index], 0, EntryFrame::kMaxNotes);
        for (int note = 0; note < stored; ++note) {
            RecordBytes::Write(entry, EntryFrame::kNotes + note * EntryFrame::kNoteSize,
                               static_cast<std::int16_t>(note));
        }
    }
    unsigned char* header = frame->header.data();
    RecordBytes::Write(header, EntryFrame::kStaffList, std::int16_t{0});
    RecordBytes::Write(header, EntryFrame::kSlot, slot);
    RecordBytes::Write(header, EntryFrame::kFrameValue, measure);
    RecordBytes::Write(
        header, EntryFrame::kEntries,
        reinterpret_cast<std::uintptr_t>(frame->entries.empty() ? nullptr : frame->entries.data()));
    RecordBytes::Write(header, EntryFrame::kEntryCount,
                       static_cast<std::int16_t>(noteCounts.size()));
    return frame;
}
