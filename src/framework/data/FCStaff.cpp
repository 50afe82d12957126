#include "framework/data/FCStaff.h"

#include "binding/PluginState.h"
#include "framework/data/RecordLayoutVersions.h"

#include <iterator>

namespace {

struct StaffLayout {
    std::uint32_t version;
    std::int32_t size;
};

// Oldest first; each layout is in force from its version on.
constexpr StaffLayout kStaffLayouts[] = {{0x0F000000, 114},
                                         {RecordLayoutVersions::kLongerStaff, 132},
                                         {RecordLayoutVersions::kNewest, 136}};
static_assert(std::size(kStaffLayouts) == 3 && kStaffLayouts[2].size == 136);

} // namespace

int FCStaff::LayoutInForce() {
    int layout = 0;
    while (layout + 1 < kLayouts && hostVersion >= kStaffLayouts[layout + 1].version) {
        ++layout;
    }
    return layout;
}

void* FCStaff::GetRecordBuffer() {
    return records_[LayoutInForce()];
}

std::uint32_t FCStaff::RecordVersion() const {
    return kStaffLayouts[LayoutInForce()].version;
}

std::int32_t FCStaff::RecordSize() const {
    return kStaffLayouts[LayoutInForce()].size;
}

bool FCStaff::LoadFirst() {
    SetKeys(0, 0);
    return LoadNext();
}

std::uint8_t FCStaff::GetDefaultClef() const {
    return static_cast<std::uint8_t>(DefaultClef::Get(RecordData()) & 0xFF);
}
