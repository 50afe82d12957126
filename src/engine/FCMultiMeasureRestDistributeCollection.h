// Multimeasure rests: each follows the summed durations of its measures, or its measure count.
#pragma once

#include "engine/FCRestDistributeCollection.h"
#include "framework/data/FCMultiMeasureRest.h"

#include <optional>

class FCMultiMeasureRestDistributeCollection : public FCRestDistributeCollection {
public:
    using FCRestDistributeCollection::FCRestDistributeCollection;

    std::int32_t GetItemWidth(int index) const override;
    std::int32_t GetItemDuration(int index) const override;
    void SetItemWidth(int index, std::int16_t width) override;
    [[nodiscard]] bool SaveItem(int index) override;

    FCMultiMeasureRest* GetRest(int index) const {
        return static_cast<FCMultiMeasureRest*>(GetItemAt(index));
    }

    // The rest's measure count, as a signed 16-bit value.
    static std::int32_t MeasureCount(const FCMultiMeasureRest& rest);
    // The summed durations of the rest's measures on a staff; nothing when the sum overflows.
    static std::optional<std::int32_t> SummedDuration(const FCMultiMeasureRest& rest,
                                                      std::int16_t staff);
};
