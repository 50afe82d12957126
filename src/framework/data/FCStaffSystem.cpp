#include "framework/data/FCStaffSystem.h"

#include "binding/PluginState.h"
#include "platform/IgnoredResult.h"

std::int16_t FCStaffSystem::GetStartMeasure() const {
    return StartMeasure::Get(RecordData());
}

std::int16_t FCStaffSystem::GetNextMeasure() const {
    return NextMeasure::Get(RecordData());
}

std::uint16_t FCStaffSystem::GetSystemFlags() const {
    return SystemFlags::Get(RecordData());
}

std::int32_t FCStaffSystem::GetSystemScaling() const {
    return SystemScaling::Get(RecordData());
}

std::int16_t FCStaffSystem::GetStaffListKey() const {
    const bool ownList =
        hostVersion >= kStaffListPerSystemVersion || (GetSystemFlags() & kOwnStaffListFlag) != 0;
    return ownList ? static_cast<std::int16_t>(GetItemNo()) : std::int16_t{0};
}

std::unique_ptr<FCSystemStaves> FCStaffSystem::CreateSystemStaves() const {
    auto staves = std::make_unique<FCSystemStaves>();
    Ignore(staves->LoadAllFor(GetStaffListKey()), Because::CountUnused);
    return staves;
}

int FCStaffSystem::CountSystemStaves() const {
    return FCSystemStaves().CountFor(GetStaffListKey());
}
