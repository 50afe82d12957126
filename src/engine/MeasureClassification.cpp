#include "engine/MeasureClassification.h"

#include "engine/SystemStaves.h"
#include "framework/core/FCMusicRegion.h"
#include "framework/data/FCNoteEntryCell.h"

#include <algorithm>
#include <iterator>

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
    const std::map<std::int32_t, std::int32_t>& covered = SystemRests().covered;
    auto run = covered.upper_bound(measure);
    if (run == covered.begin()) {
        return false;
    }
    return measure <= std::prev(run)->second;
}

std::unique_ptr<FCMultiMeasureRest> MeasureClassification::TakeRestAt(std::int32_t measure) {
    auto& records = SystemRests().records;
    const auto rest = records.find(measure);
    return rest == records.end() ? nullptr : std::move(rest->second);
}

// The rests are walked in the order of their first measures, one host step each.
MeasureClassification::Rests& MeasureClassification::SystemRests() {
    if (rests_) {
        return *rests_;
    }
    rests_ = std::make_unique<Rests>();
    std::int32_t from = firstMeasure_;
    while (from <= lastMeasure_) {
        auto rest = std::make_unique<FCMultiMeasureRest>();
        if (!rest->LoadFirstIn(from, lastMeasure_)) {
            break;
        }
        const std::int32_t first = rest->GetItemNo();
        Cover(first, std::int32_t{rest->GetNextMeasure()} - 1);
        rests_->records.emplace(first, std::move(rest));
        from = first + 1;
    }
    return *rests_;
}

// Adds a rest's measures to the covered runs, joining the runs it overlaps or touches.
void MeasureClassification::Cover(std::int32_t first, std::int32_t last) {
    if (last < first) {
        return;
    }
    std::map<std::int32_t, std::int32_t>& covered = rests_->covered;
    auto run = covered.upper_bound(first);
    if (run != covered.begin() && std::prev(run)->second >= first - 1) {
        --run;
        first = run->first;
        last = std::max(last, run->second);
    }
    while (run != covered.end() && run->first <= last + 1) {
        last = std::max(last, run->second);
        run = covered.erase(run);
    }
    covered.emplace(first, last);
}

// Every layer, shown or hidden, loaded only until one holds an entry.
bool MeasureClassification::CellHasEntries(std::int32_t measure, std::int16_t staff) {
    FCNoteEntryCell cell(measure, staff);
    cell.SetLayerSelection(FCNoteEntryCell::kAllLayers);
    cell.SetSlotAndLayerCount(staves_.SlotOf(staff), layerCount_);
    return cell.HoldsAnyEntry();
}
