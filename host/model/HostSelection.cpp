#include "host/model/HostSelection.h"

#include "hostinterface/HostLayouts.h"
#include "hostinterface/RecordBytes.h"

#include <cstring>

namespace {

// The redraw region: the selection record, then this mark.
constexpr std::uint32_t kRedrawMark = 0x52445257; // RDRW
constexpr std::size_t kRedrawMarkOffset = SelectionRecord::kSize;
static_assert(kRedrawMarkOffset + sizeof kRedrawMark <= SelectionRecord::kRegionBufferSize);

void WriteRecord(void* record, const HostSelection::Region& region) {
    using RecordBytes::Write;
    Write(record, SelectionRecord::kStartStaffList, region.startStaffList);
    Write(record, SelectionRecord::kStartSlot, region.startSlot);
    Write(record, SelectionRecord::kStartMeasure, region.startMeasure);
    Write(record, SelectionRecord::kStartPosition, region.startPosition);
    Write(record, SelectionRecord::kEndStaffList, region.endStaffList);
    Write(record, SelectionRecord::kEndSlot, region.endSlot);
    Write(record, SelectionRecord::kEndMeasure, region.endMeasure);
    Write(record, SelectionRecord::kEndPosition, region.endPosition);
}

HostSelection::Region ReadRecord(const void* record) {
    using RecordBytes::Read;
    HostSelection::Region region;
    region.startStaffList = Read<std::int16_t>(record, SelectionRecord::kStartStaffList);
    region.startSlot = Read<std::int16_t>(record, SelectionRecord::kStartSlot);
    region.startMeasure = Read<std::int16_t>(record, SelectionRecord::kStartMeasure);
    region.startPosition = Read<std::int32_t>(record, SelectionRecord::kStartPosition);
    region.endStaffList = Read<std::int16_t>(record, SelectionRecord::kEndStaffList);
    region.endSlot = Read<std::int16_t>(record, SelectionRecord::kEndSlot);
    region.endMeasure = Read<std::int16_t>(record, SelectionRecord::kEndMeasure);
    region.endPosition = Read<std::int32_t>(record, SelectionRecord::kEndPosition);
    return region;
}

} // namespace

void HostSelection::Fill(void* buffer8, void* selection24, void* redraw24) const {
    if (buffer8) {
        std::memset(buffer8, 0, SelectionRecord::kFirstBufferSize);
    }
    if (selection24) {
        std::memset(selection24, 0, SelectionRecord::kRegionBufferSize);
        WriteRecord(selection24, selected_);
    }
    if (redraw24) {
        WriteRecord(redraw24, selected_);
        RecordBytes::Write(redraw24, kRedrawMarkOffset, kRedrawMark);
    }
}

bool HostSelection::Redraw(const void* region24) {
    if (!region24 || RecordBytes::Read<std::uint32_t>(region24, kRedrawMarkOffset) != kRedrawMark) {
        ++unrecognised_;
        return false;
    }
    redraws_.push_back(ReadRecord(region24));
    return true;
}
