#include "engine/FCRestDistributeCollection.h"

#include "framework/core/FCMusicRegion.h"
#include "shell/HostApi.h"

FCRestDistributeCollection::FCRestDistributeCollection(const FCMusicRegion& region)
    : staff_(HostApi::SlotToInst(region.GetStartSlot(), region.GetStartStaffList())) {}
