#include "engine/FCMultiMeasureRestDistributeCollection.h"

#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "engine/WidthLaw.h"

#include <limits>

std::int32_t FCMultiMeasureRestDistributeCollection::MeasureCount(const FCMultiMeasureRest& rest) {
    return static_cast<std::int16_t>(rest.GetNextMeasure() - rest.GetItemNo());
}

std::optional<std::int32_t>
FCMultiMeasureRestDistributeCollection::SummedDuration(const FCMultiMeasureRest& rest,
                                                       std::int16_t staff) {
    std::int64_t sum = 0;
    for (std::int32_t measure = rest.GetItemNo(); measure < rest.GetNextMeasure(); ++measure) {
        sum += HostApi::GetMeasureDuration(staff, static_cast<std::int16_t>(measure));
    }
    return WidthLaw::ToDuration(sum);
}

// A sum too large for the duration field never anchors a redistribution.
std::int32_t FCMultiMeasureRestDistributeCollection::GetItemDuration(int index) const {
    const FCMultiMeasureRest& rest = *GetRecord(index);
    if (!PluginSettings.useMMDurationSpacing) {
        return MeasureCount(rest);
    }
    return SummedDuration(rest, GetStaff()).value_or(std::numeric_limits<std::int32_t>::max());
}
