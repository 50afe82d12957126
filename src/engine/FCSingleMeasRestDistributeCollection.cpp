#include "engine/FCSingleMeasRestDistributeCollection.h"

#include "binding/HostApi.h"

std::int32_t FCSingleMeasRestDistributeCollection::GetItemDuration(int index) const {
    return HostApi::GetMeasureDuration(GetStaff(),
                                       static_cast<std::int16_t>(GetRecord(index)->GetItemNo()));
}
