#include "engine/FCSingleMeasRestDistributeCollection.h"

#include "binding/HostApi.h"

std::int32_t FCSingleMeasRestDistributeCollection::GetItemWidth(int index) const {
    return GetMeasure(index)->GetWidth();
}

std::int32_t FCSingleMeasRestDistributeCollection::GetItemDuration(int index) const {
    return HostApi::GetMeasureDuration(GetStaff(),
                                       static_cast<std::int16_t>(GetMeasure(index)->GetItemNo()));
}

void FCSingleMeasRestDistributeCollection::SetItemWidth(int index, std::int16_t width) {
    GetMeasure(index)->SetWidth(width);
}

bool FCSingleMeasRestDistributeCollection::SaveItem(int index) {
    return GetMeasure(index)->Save();
}
