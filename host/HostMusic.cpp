#include "host/HostMusic.h"

#include "host/HostRecords.h"
#include "host/HostStaffLists.h"
#include "hostinterface/HostLayouts.h"
#include "hostinterface/RecordBytes.h"

#include <algorithm>
#include <cstdint>

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
    std::vector<std::int16_t>& cell = entries_[CellKey(measure, staff, layer)];
    CountEntries(measure, staff,
                 static_cast<int>(noteCounts.size()) - static_cast<int>(cell.size()));
    cell = std::move(noteCounts);
}

int HostMusic::BusiestStaffEntryCount(std::int16_t measure) const {
    const auto found = measureEntries_.find(measure);
    return found == measureEntries_.end() ? 0 : found->second.busiest;
}

bool HostMusic::HoldsEntries(std::int16_t staff, std::int16_t measure) const {
    for (std::int16_t layer = 0; layer < layerCount_; ++layer) {
        const std::vector<std::int16_t>* cell = CellEntries(measure, staff, layer);
        if (cell && !cell->empty()) {
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

const std::vector<std::int16_t>* HostMusic::CellEntries(std::int16_t measure, std::int16_t staff,
                                                        std::int16_t layer) const {
    const auto found = entries_.find(CellKey(measure, staff, layer));
    return found == entries_.end() ? nullptr : &found->second;
}

// A staff that grows past the busiest one becomes the busiest; when the busiest one shrinks,
// the measure's staves are compared again.
void HostMusic::CountEntries(std::int16_t measure, std::int16_t staff, int change) {
    MeasureEntries& counts = measureEntries_[measure];
    int& staffCount = counts.staves[staff];
    const bool wasBusiest = staffCount == counts.busiest;
    staffCount += change;
    if (staffCount >= counts.busiest) {
        counts.busiest = staffCount;
    } else if (wasBusiest) {
        counts.busiest = 0;
        for (const auto& counted : counts.staves) {
            counts.busiest = std::max(counts.busiest, counted.second);
        }
    }
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
    static const std::vector<std::int16_t> kEmptyCell;
    const std::vector<std::int16_t>* cell = CellEntries(measure, staff, layer);
    std::unique_ptr<Frame> frame = BuildFrame(slot, measure, cell ? *cell : kEmptyCell);
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
                      const std::vector<std::int16_t>& noteCounts) const {
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
