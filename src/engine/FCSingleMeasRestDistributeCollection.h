// Empty measures: each follows the duration of its measure on the collection's staff.
#pragma once

#include "engine/FCRecordDistributeCollection.h"
#include "framework/data/FCMeasure.h"

class FCSingleMeasRestDistributeCollection : public FCRecordDistributeCollection<FCMeasure> {
public:
    using FCRecordDistributeCollection::FCRecordDistributeCollection;

    std::int32_t GetItemDuration(int index) const override;
};
