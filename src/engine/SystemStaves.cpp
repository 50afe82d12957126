#include "engine/SystemStaves.h"

#include "binding/HostApi.h"
#include "framework/core/FCMusicRegion.h"

SystemStaves::SystemStaves(const FCMusicRegion& systemRegion)
    : firstSlot_(systemRegion.GetStartSlot()), lastSlot_(systemRegion.GetEndSlot()),
      staffList_(systemRegion.GetStartStaffList()) {}

std::int16_t SystemStaves::StaffAt(std::int32_t slot) {
    const auto [known, added] = staves_.try_emplace(slot, 0);
    if (added) {
        known->second = HostApi::SlotToInst(static_cast<std::int16_t>(slot), staffList_);
    }
    return known->second;
}

std::int16_t SystemStaves::SlotOf(std::int16_t staff) {
    const auto [known, added] = slots_.try_emplace(staff, 0);
    if (added) {
        known->second = HostApi::InstToSlot(staff);
    }
    return known->second;
}
