#include "engine/MeasureClassification.h"

#include "framework/core/FCMusicRegion.h"
#include "framework/data/FCMultiMeasureRest.h"
#include "framework/data/FCNoteEntryCell.h"
#include "shell/HostApi.h"

namespace {

// Every layer, shown or hidden.
constexpr std::int32_t kAllLayers = -1;

bool CellHasEntries(std::int32_t measure, std::int16_t staff) {
    FCNoteEntryCell cell(measure, staff);
    cell.SetLayerSelection(kAllLayers);
    cell.Load();
    return cell.GetCount() > 0;
}

} // namespace

// A cell whose frames cannot be loaded holds no entries and so counts as empty.
bool MeasureClassification::IsMeasureEmpty(std::int32_t measure,
                                           const FCMusicRegion& systemRegion) {
    for (std::int32_t slot = systemRegion.GetStartSlot(); slot <= systemRegion.GetEndSlot();
         ++slot) {
        const std::int16_t staff =
            HostApi::SlotToInst(static_cast<std::int16_t>(slot), systemRegion.GetStartStaffList());
        if (CellHasEntries(measure, staff)) {
            return false;
        }
    }
    return true;
}

bool MeasureClassification::IsMeasureInMultiMeasureRest(std::int32_t measure,
                                                        const FCMusicRegion& systemRegion) {
    for (std::int32_t first = systemRegion.GetStartMeasure(); first <= systemRegion.GetEndMeasure();
         ++first) {
        FCMultiMeasureRest rest;
        if (rest.Load(static_cast<std::int16_t>(first)) && first <= measure &&
            measure <= rest.GetNextMeasure() - 1) {
            return true;
        }
    }
    return false;
}
