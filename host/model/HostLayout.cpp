#include "host/model/HostLayout.h"

#include "host/model/HostDocument.h"
#include "host/model/HostMusic.h"
#include "host/model/HostRecords.h"
#include "host/model/HostSelection.h"
#include "host/model/HostStaffLists.h"
#include "host/model/PartLayout.h"
#include "hostinterface/RecordBytes.h"

#include <algorithm>
#include <utility>

namespace {

namespace Measure = HostRecords::Measure;
namespace System = HostRecords::System;
namespace Rest = HostRecords::Rest;

// Music spacing's widths in EVPUs: a measure with music gets a base and so much for each entry
// of its busiest staff, an empty measure a width of its own; a multimeasure rest gets a base
// and so much for each measure it spans.
constexpr std::int64_t kMusicBase = 60;
constexpr std::int64_t kPerEntry = 40;
constexpr std::int64_t kEmptyMeasure = 90;
constexpr std::int64_t kRestBase = 150;
constexpr std::int64_t kPerRestMeasure = 10;

// A width as its 16-bit field can hold it.
std::int16_t StoredWidth(std::int64_t evpus) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(evpus, 0, HostLayout::kWidestWidth));
}

// A new system is laid out like the part's first one, or at full scale when there is none.
RecordStore::Bytes SystemTemplate(RecordStore& layout) {
    if (const RecordStore::Found first = layout.Find(System::kTag, 1, 0, 0)) {
        return *first;
    }
    RecordStore::Bytes bytes(System::kSize, 0);
    RecordBytes::Write<std::int32_t>(bytes.data(), System::kScaling, System::kFullScale);
    return bytes;
}

// Measures and multimeasure rests keep their widths at the same place.
static_assert(Measure::kWidth == Rest::kWidth);
void WriteWidth(RecordStore& layout, std::uint32_t tag, std::int32_t item, std::int16_t width) {
    const RecordKey key{tag, {static_cast<std::uint16_t>(item), 0, 0}};
    if (const RecordStore::Found record = layout.Find(key)) {
        RecordStore::Bytes bytes = *record;
        RecordBytes::Write(bytes.data(), Measure::kWidth, width);
        layout.Replace(key, std::move(bytes));
    }
}

} // namespace

std::int32_t HostLayout::MeterDuration(std::int32_t beats, std::int32_t beatValue) {
    return beats * (4 * kQuarterNote / beatValue);
}

std::int16_t HostLayout::MusicWidth(int entries) {
    return StoredWidth(entries ? kMusicBase + kPerEntry * entries : kEmptyMeasure);
}

std::int16_t HostLayout::RestWidth(std::int32_t span) {
    return StoredWidth(kRestBase + kPerRestMeasure * span);
}

std::int32_t HostLayout::Duration(std::int32_t measure) const {
    if (measure < 1 || measure > MeasureCount()) {
        return 0;
    }
    return durations_[static_cast<std::size_t>(measure - 1)];
}

void HostLayout::Update(HostDocument& document) {
    ++updates_;
    RecordStore& layout = document.StoreFor(System::kTag);
    const std::int16_t part = document.CurrentPart();
    const PartLayout present = PartLayout::Of(document, part);
    PartFlow::Units units = present.Units();
    const auto systems =
        PartFlow(units, systemWidth_).Reflow(present.PlacedSystems(), document.LaidOut(part));
    document.SetLaidOut(part, {std::move(units), systemWidth_});
    const RecordStore::Bytes blank = SystemTemplate(layout);
    for (std::size_t i = 0; i < systems.size(); ++i) {
        const auto item = static_cast<std::uint16_t>(i + 1);
        const RecordStore::Found existing = layout.Find(System::kTag, item, 0, 0);
        RecordStore::Bytes bytes = existing ? *existing : blank;
        if (!existing) {
            HostStaffLists::Put(document, static_cast<std::int16_t>(item),
                                HostStaffLists::PartStaves(document));
        }
        RecordBytes::Write(bytes.data(), System::kFirst,
                           static_cast<std::int16_t>(systems[i].first));
        RecordBytes::Write(bytes.data(), System::kNext,
                           static_cast<std::int16_t>(systems[i].second));
        layout.Put(System::kTag, item, 0, 0, std::move(bytes));
    }
    for (auto item = static_cast<std::uint16_t>(systems.size() + 1);
         layout.Erase(RecordKey{System::kTag, {item, 0, 0}}); ++item) {
    }
}

void HostLayout::SpaceSelectedMusic(HostDocument& document, const HostMusic& music,
                                    const HostSelection& selection) {
    ++musicSpacings_;
    const HostSelection::Region& region = selection.Selected();
    RecordStore& layout = document.StoreFor(Measure::kTag);
    for (std::int32_t measure = region.startMeasure; measure >= 1 && measure <= region.endMeasure;
         ++measure) {
        const int entries = music.BusiestStaffEntryCount(static_cast<std::int16_t>(measure));
        WriteWidth(layout, Measure::kTag, measure, MusicWidth(entries));
        if (const RecordStore::Found rest =
                layout.Find(Rest::kTag, static_cast<std::uint16_t>(measure), 0, 0)) {
            const std::int32_t span = rest->Word(Rest::kNext) - measure;
            WriteWidth(layout, Rest::kTag, measure, RestWidth(span));
        }
    }
}
