#include "engine/FCPartProcessor.h"

#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "engine/ClefChangeRoom.h"
#include "engine/FCMultiMeasureRestDistributeCollection.h"
#include "engine/FCMusicMeasuresDistributeCollection.h"
#include "engine/FCSingleMeasRestDistributeCollection.h"
#include "engine/MeasureClassification.h"
#include "engine/RestRedistribution.h"
#include "engine/SystemStaves.h"
#include "engine/WidthLaw.h"
#include "framework/core/FCMusicRegion.h"
#include "framework/data/FCPart.h"
#include "framework/data/FCStaffSystems.h"
#include "platform/IgnoredResult.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr std::int32_t kMusicSpacingCommand = 12106;
constexpr std::int32_t kQuarterNote = 1024;

// The measures both regions cover, first to last.
struct MeasureRange {
    std::int32_t first;
    std::int32_t last;
};

MeasureRange VisitedMeasures(const FCMusicRegion& systemRegion, const FCMusicRegion& selection) {
    return {std::max<std::int32_t>(systemRegion.GetStartMeasure(), selection.GetStartMeasure()),
            std::min<std::int32_t>(systemRegion.GetEndMeasure(), selection.GetEndMeasure())};
}

FCStaffSystem& SystemAt(const FCStaffSystems& systems, int index) {
    return *static_cast<FCStaffSystem*>(systems.GetItemAt(index));
}

// Taken whether or not it loads: a measure that does not load keeps the data it was made with.
FCMeasure* LoadMeasure(std::int32_t measure) {
    auto* record = new FCMeasure;
    Ignore(record->Load(static_cast<std::int16_t>(measure)), Because::Prefilled);
    return record;
}

// Gives every item its record back as it was copied, whatever became of the others.
void SaveEach(FCRestDistributeCollection& collection) {
    for (int i = 0; i < collection.GetCount(); ++i) {
        Ignore(collection.SaveItem(i), Because::BestEffort);
    }
}

// The product of the two references, when it fits a duration.
std::optional<std::int32_t> ReferenceDuration(std::int64_t quarters, std::int64_t measures) {
    return WidthLaw::ToDuration(quarters * measures * kQuarterNote);
}

} // namespace

FCPartProcessor::FCPartProcessor() {
    Ignore(musicSpacingPrefs_.LoadFirst(), Because::Prefilled);
    Ignore(mmRestPrefs_.LoadFirst(), Because::Prefilled);
}

bool FCPartProcessor::Iterate(__FCBase* element) {
    partReads_ = PartReads{};
    auto* part = static_cast<FCPart*>(element);
    FCMusicRegion selection;
    if (!part) {
        Ignore(selection.LoadCurrentSelection(), Because::Prefilled);
        if (selection.IsEmpty()) {
            return true;
        }
    } else if (PluginSettings.processingMode == kScopeAllPartsOnly && part->GetPartID() == 0) {
        return true;
    }
    FCStaffSystems systems;
    Ignore(systems.LoadAll(), Because::CountUnused);
    for (int i = 0; i < systems.GetCount(); ++i) {
        if (SystemAt(systems, i).GetStartMeasure() == 0) {
            Ignore(HostApi::UpdateLayout(), Because::NoRemedy);
            Ignore(systems.LoadAll(), Because::CountUnused);
            break;
        }
    }
    for (int i = 0; i < systems.GetCount(); ++i) {
        FCStaffSystem& system = SystemAt(systems, i);
        FCMusicRegion systemRegion;
        if (systemRegion.SetToStaffSystem(&system)) {
            SpaceSystem(system, systemRegion, part ? systemRegion : selection);
        }
    }
    RescaleNonRestMeasures();
    if (PluginSettings.spacingMode == kModeRespace && changed_) {
        Ignore(HostApi::UpdateLayout(), Because::NoRemedy);
    }
    return true;
}

void FCPartProcessor::SpaceSystem(FCStaffSystem& system, const FCMusicRegion& systemRegion,
                                  const FCMusicRegion& selection) {
    if (!systemRegion.IsOverlapping(&selection)) {
        return;
    }
    switch (PluginSettings.spacingMode) {
    case kModeRedistribute:
        RedistributeRestSpace(system, systemRegion, selection);
        break;
    case kModeNonRest:
        RedistributeNonRestMeasures(system, systemRegion, selection);
        break;
    default:
        RespaceWithNewValues(system, systemRegion, selection);
        break;
    }
}

void FCPartProcessor::RedistributeRestSpace(FCStaffSystem& system,
                                            const FCMusicRegion& systemRegion,
                                            const FCMusicRegion& selection) {
    SystemStaves staves(systemRegion);
    MeasureClassification measures(systemRegion, staves, LayerCount());
    FCSingleMeasRestDistributeCollection singles(staves.DurationStaff());
    FCMultiMeasureRestDistributeCollection rests(staves.DurationStaff());
    const MeasureRange range = VisitedMeasures(systemRegion, selection);
    for (std::int32_t measure = range.first; measure <= range.last; ++measure) {
        if (PluginSettings.useMMRestSpacing) {
            if (std::unique_ptr<FCMultiMeasureRest> rest = measures.TakeRestAt(measure)) {
                rests.Add(rest.release());
            }
        }
        if (PluginSettings.useSingleRestSpacing && measures.IsMeasureEmpty(measure) &&
            !measures.IsMeasureInMultiMeasureRest(measure)) {
            singles.Add(LoadMeasure(measure));
        }
    }
    if (PluginSettings.useMMRestSpacing) {
        currentFactor_ = PluginSettings.mmRestScalingFactor;
        if (rests.GetCount() >= 2) {
            RedistributeCollection(rests);
        }
        partReads_.clefChangeRoom.MakeRoomForClefChanges(system, staves, rests);
    }
    if (PluginSettings.useSingleRestSpacing) {
        currentFactor_ = MusicSpacingFactor();
        if (singles.GetCount() >= 2) {
            RedistributeCollection(singles);
        }
    }
}

void FCPartProcessor::RespaceWithNewValues(FCStaffSystem& /*system*/,
                                           const FCMusicRegion& systemRegion,
                                           const FCMusicRegion& selection) {
    SystemStaves staves(systemRegion);
    MeasureClassification measures(systemRegion, staves, LayerCount());
    const MeasureRange range = VisitedMeasures(systemRegion, selection);
    for (std::int32_t measure = range.first; measure <= range.last; ++measure) {
        if (PluginSettings.useMMRestSpacing) {
            if (std::unique_ptr<FCMultiMeasureRest> rest = measures.TakeRestAt(measure)) {
                RespaceMultiMeasureRest(*rest, staves);
            }
        }
        if (PluginSettings.useSingleRestSpacing && measures.IsMeasureEmpty(measure)) {
            RespaceSingleMeasure(measure, staves.DurationStaff());
        }
    }
}

// Takes copies of every visited system's records before anything changes: the host respaces
// the whole selection at once, so each system is later either rescaled or given its records back.
void FCPartProcessor::RedistributeNonRestMeasures(FCStaffSystem& /*system*/,
                                                  const FCMusicRegion& systemRegion,
                                                  const FCMusicRegion& selection) {
    SystemStaves staves(systemRegion);
    MeasureClassification measures(systemRegion, staves, LayerCount());
    auto pending = std::make_unique<NonRestSystem>(staves.DurationStaff());
    const MeasureRange range = VisitedMeasures(systemRegion, selection);
    for (std::int32_t measure = range.first; measure <= range.last; ++measure) {
        const bool empty = measures.IsMeasureEmpty(measure);
        (empty ? static_cast<FCRestDistributeCollection&>(pending->singles) : pending->music)
            .Add(LoadMeasure(measure));
        if (std::unique_ptr<FCMultiMeasureRest> rest = measures.TakeRestAt(measure)) {
            pending->rests.Add(rest.release());
        }
    }
    pendingNonRest_.push_back(std::move(pending));
}

bool FCPartProcessor::NonRestSystem::IsRescaled() const {
    return music.GetCount() >= 2;
}

// The host is asked once for all the part's systems, and only when one of them has two or more
// music measures to rescale. Each such system's music measures are scaled back to the total they
// had; every other record the host may have changed gets its copy back.
void FCPartProcessor::RescaleNonRestMeasures() {
    const bool anyRescaled = std::any_of(
        pendingNonRest_.begin(), pendingNonRest_.end(),
        [](const std::unique_ptr<NonRestSystem>& system) { return system->IsRescaled(); });
    if (anyRescaled) {
        Ignore(HostApi::ExecuteMenuItem(kMusicSpacingCommand), Because::NoRemedy);
        for (const auto& system : pendingNonRest_) {
            if (!system->IsRescaled() || !RescaleMusic(system->music)) {
                SaveEach(system->music);
            }
            SaveEach(system->singles);
            SaveEach(system->rests);
        }
    }
    pendingNonRest_.clear();
}

// Gives the music measures the host's proportions at the total width they had before; false,
// with nothing written, when the host's widths cannot be scaled back (a total of 0, a width
// beyond the field).
bool FCPartProcessor::RescaleMusic(const FCMusicMeasuresDistributeCollection& music) {
    FCMusicMeasuresDistributeCollection respaced(music.GetStaff());
    std::vector<std::int32_t> before;
    std::vector<std::int32_t> after;
    for (int i = 0; i < music.GetCount(); ++i) {
        before.push_back(music.GetItemWidth(i));
        respaced.Add(LoadMeasure(music.GetRecord(i)->GetItemNo()));
        after.push_back(respaced.GetItemWidth(i));
    }
    const std::optional<std::vector<std::int16_t>> scaled =
        RestRedistribution::Rescale(after, before);
    if (!scaled) {
        return false;
    }
    WriteWidths(respaced, *scaled);
    return true;
}

void FCPartProcessor::RedistributeCollection(FCRestDistributeCollection& collection) {
    std::vector<std::int32_t> widths;
    std::vector<std::int32_t> durations;
    for (int i = 0; i < collection.GetCount(); ++i) {
        widths.push_back(collection.GetItemWidth(i));
        durations.push_back(collection.GetItemDuration(i));
    }
    const std::optional<std::vector<std::int16_t>> shared =
        RestRedistribution::Share(widths, durations, currentFactor_);
    if (!shared) {
        return;
    }
    TurnOffAutoUpdate();
    WriteWidths(collection, *shared);
}

void FCPartProcessor::WriteWidths(FCRestDistributeCollection& collection,
                                  const std::vector<std::int16_t>& widths) {
    for (int i = 0; i < collection.GetCount(); ++i) {
        collection.SetItemWidth(i, widths[static_cast<std::size_t>(i)]);
        Ignore(collection.SaveItem(i), Because::BestEffort);
    }
    // Counted as a change even when the host refused a save: the widths were given to it.
    changed_ = true;
}

void FCPartProcessor::RespaceMultiMeasureRest(FCMultiMeasureRest& rest, SystemStaves& staves) {
    currentFactor_ = PluginSettings.mmRestScalingFactor;
    std::optional<std::int32_t> duration;
    std::optional<std::int32_t> reference;
    if (PluginSettings.useMMDurationSpacing) {
        duration =
            FCMultiMeasureRestDistributeCollection::SummedDuration(rest, staves.DurationStaff());
        reference =
            ReferenceDuration(PluginSettings.singleRestReference, PluginSettings.mmRestReference);
    } else {
        duration = FCMultiMeasureRestDistributeCollection::MeasureCount(rest);
        reference = PluginSettings.mmRestReference;
    }
    if (!duration || !reference || !WidthLaw::Applies(*duration, *reference, currentFactor_)) {
        return;
    }
    const float ratio = WidthLaw::Ratio(*duration, *reference, currentFactor_);
    const std::optional<std::int16_t> width =
        ClampToMeasureWidths(ratio * static_cast<float>(mmRestPrefs_.GetMeasureWidth()));
    if (!width) {
        return;
    }
    TurnOffAutoUpdate();
    rest.SetWidth(*width);
    Ignore(rest.Save(), Because::BestEffort);
    // Counted as a change even when the host refused the save: the width was given to it.
    changed_ = true;
}

void FCPartProcessor::RespaceSingleMeasure(std::int32_t measure, std::int16_t staff) {
    const std::int32_t duration =
        HostApi::GetMeasureDuration(staff, static_cast<std::int16_t>(measure));
    if (duration <= 0) {
        return;
    }
    currentFactor_ = MusicSpacingFactor();
    const std::optional<std::int32_t> reference =
        ReferenceDuration(PluginSettings.singleRestReference, 1);
    if (!reference || !WidthLaw::Applies(duration, *reference, currentFactor_)) {
        return;
    }
    const float ratio = WidthLaw::Ratio(duration, *reference, currentFactor_);
    const std::optional<std::int16_t> width =
        ClampToMeasureWidths(static_cast<float>(PluginSettings.defaultSingleWidth) * ratio);
    if (!width) {
        return;
    }
    TurnOffAutoUpdate();
    FCMeasure record;
    if (measure != 0) {
        Ignore(record.Load(static_cast<std::int16_t>(measure)), Because::Prefilled);
    }
    record.SetWidth(*width);
    Ignore(record.Save(), Because::BestEffort);
    // Counted as a change even when the host refused the save: the width was given to it.
    changed_ = true;
}

// Off is known only from a load: a save the host refuses leaves it on, to be tried again.
void FCPartProcessor::TurnOffAutoUpdate() {
    if (partReads_.autoUpdateOff) {
        return;
    }
    FCMultiMeasureRestPrefs prefs;
    Ignore(prefs.LoadFirst(), Because::Prefilled);
    if (prefs.GetAutoUpdate() == 0) {
        partReads_.autoUpdateOff = true;
        return;
    }
    prefs.SetAutoUpdate(0);
    Ignore(prefs.Save(), Because::BestEffort);
}

int FCPartProcessor::LayerCount() {
    if (!partReads_.layerCount) {
        partReads_.layerCount = HostApi::GetMaxLayers();
    }
    return *partReads_.layerCount;
}

float FCPartProcessor::MusicSpacingFactor() const {
    return musicSpacingPrefs_.GetSpacingRatio();
}

std::optional<std::int16_t> FCPartProcessor::ClampToMeasureWidths(float width) const {
    return WidthLaw::Clamp(width, musicSpacingPrefs_.GetMinimumWidth(),
                           musicSpacingPrefs_.GetMaximumWidth());
}
