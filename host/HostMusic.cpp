#include "host/HostMusic.h"

#include "host/HostRecords.h"
#include "host/HostStaffLists.h"
#include "hostinterface/HostLayouts.h"
#include "hostinterface/RecordBytes.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

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
    entries_[{measure, staff, layer}] = std::move(noteCounts);
}

// A measure's cells lie together in the key order, those of one staff next to each other.
int HostMusic::BusiestStaffEntryCount(std::int16_t measure) const {
    int busiest = 0;
    int staffCount = 0;
    std::optional<std::int16_t> staff;
    for (auto cell = entries_.lower_bound({measure, INT16_MIN, INT16_MIN});
         cell != entries_.end() && std::get<0>(cell->first) == measure; ++cell) {
        if (std::get<1>(cell->first) != staff) {
            staff = std::get<1>(cell->first);
            staffCount = 0;
        }
        staffCount += static_cast<int>(cell->second.size());
        busiest = std::max(busiest, staffCount);
    }
    return busiest;
}

bool HostMusic::HoldsEntries(std::int16_t staff, std::int16_t measure) const {
    for (std::int16_t layer = 0; layer < layerCount_; ++layer) {
        const auto found = entries_.find({measure, staff, layer});
        if (found != entries_.end() && !found->second.empty()) {
            return true;
        }
    }
    return false;
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
    const auto found = entries_.find({measure, staff, layer});
    std::unique_ptr<Frame> frame = BuildFrame(
        slot, measure, found == entries_.end() ? std::vector<std::int16_t>{} : found->second);
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
