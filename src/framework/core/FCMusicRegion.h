// A rectangle of the score: a range of staff slots by a range of measures, with positions inside
// the first and last measure. Empty when its first and last measure are both 0.
#pragma once

#include "framework/core/FCBase.h"
#include "framework/core/StaffSystemExtent.h"

#include <cstdint>

class FCMusicRegion : public __FCBase {
public:
    const char* ClassName() const override { return "FCMusicRegion"; }
    // Same staves at both ends, same measures and positions; the document is not compared.
    virtual bool IsEqual(const FCMusicRegion* other) const;

    // A position inside the last measure that means "to its end".
    static constexpr std::int32_t kEndOfMeasure = 0x7FFFFFFF;

    // Reads the user's selection; false when the host has none to give.
    [[nodiscard]] bool LoadCurrentSelection();
    // Covers every staff and measure of the system; false, leaving the region as it was, for a
    // system without measures or staves.
    bool SetToStaffSystem(const StaffSystemExtent* system);
    bool IsEmpty() const { return startMeasure_ == 0 && endMeasure_ == 0; }
    // True when the regions share a staff over measures and positions that touch.
    bool IsOverlapping(const FCMusicRegion* other) const;

    std::int16_t GetStartMeasure() const { return IsEmpty() ? 0 : startMeasure_; }
    std::int16_t GetEndMeasure() const { return IsEmpty() ? 0 : endMeasure_; }
    std::int16_t GetStartStaffList() const { return startStaffList_; }
    std::int16_t GetEndStaffList() const { return endStaffList_; }
    std::int16_t GetStartSlot() const { return startSlot_; }
    std::int16_t GetEndSlot() const { return endSlot_; }
    std::int32_t GetStartPosition() const { return startPosition_; }
    std::int32_t GetEndPosition() const { return endPosition_; }
    std::uint16_t GetDocument() const { return document_; }

private:
    void ReadSelectionRecord(const unsigned char* record);
    // The staff at a slot of this region's start staff list.
    std::int16_t StaffAtSlot(std::int16_t slot) const;
    bool SharesStaffWith(const FCMusicRegion& other) const;

    std::int16_t startStaffList_ = 0;
    std::int16_t startSlot_ = 0;
    std::int16_t startMeasure_ = 0;
    std::int32_t startPosition_ = 0;
    std::int16_t endStaffList_ = 0;
    std::int16_t endSlot_ = 0;
    std::int16_t endMeasure_ = 0;
    std::int32_t endPosition_ = 0;
    std::uint16_t document_ = 0;
};
