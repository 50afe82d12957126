#include "framework/core/FCMusicRegion.h"

#include "binding/HostApi.h"
#include "hostinterface/HostLayouts.h"
#include "hostinterface/RecordBytes.h"

bool FCMusicRegion::IsEqual(const FCMusicRegion* other) const {
    return other && startStaffList_ == other->startStaffList_ &&
           HostApi::SlotToInst(startSlot_, startStaffList_) ==
               HostApi::SlotToInst(other->startSlot_, other->startStaffList_) &&
           HostApi::SlotToInst(endSlot_, endStaffList_) ==
               HostApi::SlotToInst(other->endSlot_, other->endStaffList_) &&
           GetStartMeasure() == other->GetStartMeasure() &&
           GetEndMeasure() == other->GetEndMeasure() && startPosition_ == other->startPosition_ &&
           endPosition_ == other->endPosition_;
}

bool FCMusicRegion::LoadCurrentSelection() {
    SelectionRecord::Buffers buffers;
    const bool answered = HostApi::GetCurERegions(buffers.first.data(), buffers.selection.data(),
                                                  buffers.redraw.data()) != 0;
    ReadSelectionRecord(buffers.selection.data());
    document_ = static_cast<std::uint16_t>(HostApi::GetCurrentEnigmaDocument());
    return answered;
}

bool FCMusicRegion::SetToStaffSystem(const StaffSystemExtent* system) {
    const std::int16_t first = system->GetStartMeasure();
    const std::int16_t following = system->GetNextMeasure();
    if (first == 0 || following - 1 < 0) {
        return false;
    }
    const int staves = system->CountSystemStaves();
    if (staves == 0) {
        return false;
    }
    const std::int16_t staffList = system->GetStaffListKey();
    startStaffList_ = staffList;
    startSlot_ = 1;
    startMeasure_ = first;
    startPosition_ = 0;
    endStaffList_ = staffList;
    endSlot_ = static_cast<std::int16_t>(staves);
    endMeasure_ = static_cast<std::int16_t>(following - 1);
    endPosition_ = kEndOfMeasure;
    document_ = static_cast<std::uint16_t>(HostApi::GetCurrentEnigmaDocument());
    return true;
}

bool FCMusicRegion::IsOverlapping(const FCMusicRegion* other) const {
    if (!other || GetEndMeasure() < other->GetStartMeasure() ||
        GetStartMeasure() > other->GetEndMeasure()) {
        return false;
    }
    if (GetEndMeasure() == other->GetStartMeasure() && endPosition_ < other->startPosition_) {
        return false;
    }
    if (GetStartMeasure() == other->GetEndMeasure() && startPosition_ > other->endPosition_) {
        return false;
    }
    return SharesStaffWith(*other);
}

void FCMusicRegion::ReadSelectionRecord(const unsigned char* record) {
    using RecordBytes::Read;
    startStaffList_ = Read<std::int16_t>(record, SelectionRecord::kStartStaffList);
    startSlot_ = Read<std::int16_t>(record, SelectionRecord::kStartSlot);
    startMeasure_ = Read<std::int16_t>(record, SelectionRecord::kStartMeasure);
    startPosition_ = Read<std::int32_t>(record, SelectionRecord::kStartPosition);
    endStaffList_ = Read<std::int16_t>(record, SelectionRecord::kEndStaffList);
    endSlot_ = Read<std::int16_t>(record, SelectionRecord::kEndSlot);
    endMeasure_ = Read<std::int16_t>(record, SelectionRecord::kEndMeasure);
    endPosition_ = Read<std::int32_t>(record, SelectionRecord::kEndPosition);
}

std::int16_t FCMusicRegion::StaffAtSlot(std::int16_t slot) const {
    return HostApi::SlotToInst(slot, startStaffList_);
}

// A slot the host knows no staff for (staff 0) is shared with nothing.
bool FCMusicRegion::SharesStaffWith(const FCMusicRegion& other) const {
    for (int i = startSlot_; i <= endSlot_; ++i) {
        const std::int16_t staff = StaffAtSlot(static_cast<std::int16_t>(i));
        for (int j = other.startSlot_; j <= other.endSlot_ && staff != 0; ++j) {
            if (staff == other.StaffAtSlot(static_cast<std::int16_t>(j))) {
                return true;
            }
        }
    }
    return false;
}
