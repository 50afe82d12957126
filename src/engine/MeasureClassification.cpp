#include "engine/MeasureClassification.h"

#include "binding/IgnoredResult.h"
#include "engine/SystemStaves.h"
#include "framework/core/FCMusicRegion.h"
#include "framework/data/FCNoteEntryCell.h"

MeasureClassification::MeasureClassification(const FCMusicRegion& systemRegion,
                                             SystemStaves& staves, int layerCount)
    : firstMeasure_(systemRegion.GetStartMeasure()), lastMeasure_(systemRegion.GetEndMeasure()),
      staves_(staves), layerCount_(layerCount) {}

// A cell whose frames cannot be loaded holds no entries and so counts as empty.
bool MeasureClassification::IsMeasureEmpty(std::int32_t measure) {
    for (std::int32_t slot = staves_.FirstSlot(); slot <= staves_.LastSlot(); ++slot) {
        if (CellHasEntries(measure, staves_.StaffAt(slot))) {
            return false;
        }
    }
    return true;
}

bool MeasureClassification::IsMeasureInMultiMeasureRest(std::int32_t measure) {
    for (std::int32_t first = firstMeasure_; first <= lastMeasure_; ++first) {
        const std::optional<std::int32_t>& next = RestAt(first).next;
        if (next && first <= measure && measure <= *next - 1) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<FCMultiMeasureRest> MeasureClassification::TakeRestAt(std::int32_t measure) {
    return std::move(RestAt(measure).record);
}

MeasureClassification::LoadedRest& MeasureClassification::RestAt(std::int32_t measure) {
    const auto [rest, added] = rests_.try_emplace(measure);
    if (added) {
        auto record = std::make_unique<FCMultiMeasureRest>();
        if (record->Load(static_cast<std::int16_t>(measure))) {
            rest->second.next = record->GetNextMeasure();
            rest->second.record = std::move(record);
        }
    }
    return rest->second;
}

// Every layer, shown or hidden.
bool MeasureClassification::CellHasEntries(std::int32_t measure, std::int16_t staff) {
    FCNoteEntryCell cell(measure, staff);
    cell.SetLayerSelection(FCNoteEntryCell::kAllLayers);
    cell.SetSlotAndLayerCount(staves_.SlotOf(staff), layerCount_);
    Ignore(cell.Load(), Because::Prefilled);
    return cell.GetCount() > 0;
}
