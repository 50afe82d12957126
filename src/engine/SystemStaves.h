// The staves of one staff system, each asked of the host once: the staff at a slot of the
// system's staff list and the slot of a staff in the part's list. A pass writes no staff list,
// so the answers hold while the system is spaced.
#pragma once

#include <cstdint>
#include <map>

class FCMusicRegion;

class SystemStaves {
public:
    explicit SystemStaves(const FCMusicRegion& systemRegion);

    std::int32_t FirstSlot() const { return firstSlot_; }
    std::int32_t LastSlot() const { return lastSlot_; }

    std::int16_t StaffAt(std::int32_t slot);
    std::int16_t SlotOf(std::int16_t staff);
    // The staff of every duration query of the system: that of its first slot.
    std::int16_t DurationStaff() { return StaffAt(firstSlot_); }

private:
    std::int32_t firstSlot_;
    std::int32_t lastSlot_;
    std::int16_t staffList_;
    std::map<std::int32_t, std::int16_t> staves_;
    std::map<std::int16_t, std::int16_t> slots_;
};
