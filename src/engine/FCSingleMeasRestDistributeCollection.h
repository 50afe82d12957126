// Empty measures: each follows the duration of its measure on the collection's staff.
#pragma once

#include "engine/FCRestDistributeCollection.h"
#include "framework/data/FCMeasure.h"

class FCSingleMeasRestDistributeCollection : public FCRestDistributeCollection {
public:
    using FCRestDistributeCollection::FCRestDistributeCollection;

    std::int32_t GetItemWidth(int index) const override;
    std::int32_t GetItemDuration(int index) const override;
    void SetItemWidth(int index, std::int16_t width) override;
    [[nodiscard]] bool SaveItem(int index) override;

    FCMeasure* GetMeasure(int index) const { return static_cast<FCMeasure*>(GetItemAt(index)); }
};
