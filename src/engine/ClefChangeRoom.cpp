#include "engine/ClefChangeRoom.h"

#include "engine/FCMultiMeasureRestDistributeCollection.h"
#include "engine/SystemStaves.h"
#include "framework/data/FCCell.h"
#include "framework/data/FCCellFrameHold.h"
#include "framework/data/FCDistancePrefs.h"
#include "framework/data/FCMiscDocPrefs.h"
#include "framework/data/FCMultiMeasureRestPrefs.h"
#include "framework/data/FCStaffSystem.h"
#include "platform/IgnoredResult.h"

#include <cstdint>
#include <optional>

namespace {

constexpr std::uint16_t kCountLimitFlag = 0x0001;
constexpr std::uint16_t kPassedOverFrame = 0x0011;
constexpr std::uint16_t kOwnClefPercent = 0x0020;
// The EVPUs a full-size clef change takes before the clef distance is given back.
constexpr std::int32_t kClefRoom = 44;
constexpr std::int32_t kPercent = 100;
// A system's scaling in hundredths of a percent: this is full size.
constexpr std::int32_t kFullSystemScaling = 10000;
// A rest's restAdjust counts in steps of 1/-300 of its width at full scaling.
constexpr std::int32_t kRestAdjustSteps = -300;

// The arithmetic is that of 32-bit registers: products wrap instead of overflowing.
std::int32_t Wrap32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

using ClefPreferences = ClefChangeRoom::Preferences;

bool IsPassedOver(const FCMultiMeasureRest& rest) {
    return (rest.GetRestFlags() & kCountLimitFlag) != 0 &&
           rest.GetCountLimit() < FCMultiMeasureRestDistributeCollection::MeasureCount(rest);
}

// The restAdjust that makes room for a clef change on this staff, when the measure after the
// rest opens with one and the rest's current value does not already make room. A rest of width
// 0 or a system scaling of 0 cannot be adjusted and is left as it is.
std::optional<std::int32_t> AdjustForStaff(const FCMultiMeasureRest& rest, std::int16_t staff,
                                           std::int32_t systemScaling,
                                           const ClefPreferences& prefs) {
    FCCell cell(rest.GetNextMeasure(), staff);
    FCCellFrameHold frameHold;
    frameHold.SetCell(&cell);
    if (!frameHold.LoadFirst() || (frameHold.GetFrameFlags() & kPassedOverFrame) != 0 ||
        !frameHold.IsClefChange()) {
        return std::nullopt;
    }
    const std::int32_t percent = (frameHold.GetFrameFlags() & kOwnClefPercent) != 0
                                     ? frameHold.GetClefPercent()
                                     : prefs.clefPercentDefault;
    const std::int32_t allowance =
        Wrap32(std::int64_t{percent} * (kClefRoom - prefs.clefDistance)) / kPercent;
    const std::int32_t width = rest.GetWidth();
    const std::int32_t current =
        Wrap32(std::int64_t{width} * rest.GetRestAdjust() * systemScaling) / kRestAdjustSteps /
        kFullSystemScaling;
    if (current >= allowance || width == 0 || systemScaling == 0) {
        return std::nullopt;
    }
    return Wrap32(std::int64_t{allowance} * kRestAdjustSteps * kFullSystemScaling) / width /
           systemScaling;
}

} // namespace

void ClefChangeRoom::MakeRoomForClefChanges(const FCStaffSystem& system, SystemStaves& staves,
                                            FCMultiMeasureRestDistributeCollection& rests) {
    for (int i = 0; i < rests.GetCount(); ++i) {
        FCMultiMeasureRest& rest = *rests.GetRecord(i);
        if (IsPassedOver(rest)) {
            continue;
        }
        const ClefPreferences& prefs = LoadedPreferences();
        std::int32_t adjust = prefs.restAdjust;
        for (std::int32_t slot = staves.FirstSlot(); slot <= staves.LastSlot(); ++slot) {
            adjust = AdjustForStaff(rest, staves.StaffAt(slot), system.GetSystemScaling(), prefs)
                         .value_or(adjust);
        }
        if (adjust != prefs.restAdjust) {
            rest.SetRestAdjust(static_cast<std::int16_t>(adjust));
            Ignore(rest.Save(), Because::BestEffort);
        }
    }
}

const ClefChangeRoom::Preferences& ClefChangeRoom::LoadedPreferences() {
    if (!preferences_) {
        FCMultiMeasureRestPrefs rests;
        FCMiscDocPrefs misc;
        FCDistancePrefs distances;
        Ignore(rests.LoadFirst(), Because::Prefilled);
        Ignore(misc.LoadFirst(), Because::Prefilled);
        Ignore(distances.LoadFirst(), Because::Prefilled);
        preferences_ = Preferences{rests.GetRestAdjust(), misc.GetClefPercentDefault(),
                                   distances.GetClefDistance()};
    }
    return *preferences_;
}
