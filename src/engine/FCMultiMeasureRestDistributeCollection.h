// Multimeasure rests: each follows the summed durations of its measures, or its measure count.
#pragma once

#include "engine/FCRecordDistributeCollection.h"
#include "framework/data/FCMultiMeasureRest.h"

#include <optional>

class FCMultiMeasureRestDistributeCollection
    : public FCRecordDistributeCollection<FCMultiMeasureRest> {
public:
    using FCRecordDistributeCollection::FCRecordDistributeCollection;

    std::int32_t GetItemDuration(int index) const override;

    // The rest's measure count, as a signed 16-bit value.
    static std::int32_t MeasureCount(const FCMultiMeasureRest& rest);
    // The summed durations of the rest's measures on a staff; nothing when the sum overflows.
    static std::optional<std::int32_t> SummedDuration(const FCMultiMeasureRest& rest,
                                                      std::int16_t staff);
};
