// Measures with music: a measure's "duration" is its own current width, so a redistribution
// keeps their proportions.
#pragma once

#include "engine/FCSingleMeasRestDistributeCollection.h"

class FCMusicMeasuresDistributeCollection : public FCSingleMeasRestDistributeCollection {
public:
    using FCSingleMeasRestDistributeCollection::FCSingleMeasRestDistributeCollection;

    std::int32_t GetItemDuration(int index) const override { return GetItemWidth(index); }
};
