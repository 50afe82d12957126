#include "host/formats/ScoreBuilder.h"

#include "host/files/ScoreError.h"
#include "host/model/HostDocument.h"
#include "host/model/HostLayout.h"
#include "host/model/HostMeasurement.h"
#include "host/model/HostMusic.h"
#include "host/model/HostParts.h"
#include "host/model/HostStaffLists.h"
#include "host/model/HostState.h"
#include "host/model/PartLayout.h"
#include "hostinterface/RecordBytes.h"

#include <algorithm>

namespace {

namespace Component = HostRecords::Component;
namespace Records = HostRecords;

// Bytes the plug-in never reads get a recognisable filler, so tests can see them survive.
RecordStore::Bytes Filled(std::size_t size) {
    RecordStore::Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<unsigned char>(0xA0 + i % 16);
    }
    return bytes;
}

void Write16(RecordStore::Bytes& bytes, std::size_t offset, std::int64_t value) {
    RecordBytes::Write(bytes.data(), offset, static_cast<std::int16_t>(value));
}

} // namespace

ScoreBuilder::ScoreBuilder(HostState& host) : host_(host), document_(host.Document()) {}

void ScoreBuilder::Staff(std::int16_t id, std::int64_t defaultClef) {
    RecordStore::Bytes bytes = Filled(Records::Staff::SizeFor(host_.Version()));
    Write16(bytes, Records::Staff::kDefaultClef, defaultClef);
    document_.Shared().Put(Records::Staff::kTag, static_cast<std::uint16_t>(id), 0, 0,
                           std::move(bytes));
    scoreStaves_.push_back(id);
}

void ScoreBuilder::Measures(std::vector<std::int32_t> durations, std::vector<std::string> numbers) {
    host_.Layout().SetDurations(std::move(durations));
    // A score that numbers no measure keeps no list of empty numbers.
    if (std::any_of(numbers.begin(), numbers.end(),
                    [](const std::string& number) { return !number.empty(); })) {
        host_.Terms().SetBarNumbers(std::move(numbers));
    }
}

void ScoreBuilder::Entries(std::int16_t staff, std::int16_t measure, std::int16_t layer,
                           std::vector<std::int16_t> notes) {
    host_.Music().SetEntries(staff, measure, layer, std::move(notes));
}

void ScoreBuilder::Hold(const FrameHold& hold) {
    RecordStore::Bytes bytes = Filled(Records::FrameHold::kSize);
    std::int64_t flags = hold.flags;
    std::int64_t clef = hold.clef;
    if (hold.clefChanges) {
        if (ClefListsFull() || hold.clefChanges->size() > kMostClefLists) {
            throw ScoreError("staff " + std::to_string(hold.staff) + ", measure " +
                             std::to_string(hold.measure) + ": more clef changes than the host " +
                             "numbers (" + std::to_string(kMostClefLists) +
                             " lists of as many clefs)");
        }
        const auto list = static_cast<std::uint16_t>(nextClefList_++);
        std::uint16_t position = 0;
        for (const std::int64_t change : *hold.clefChanges) {
            RecordStore::Bytes changeBytes = Filled(Records::ClefChange::kSize);
            Write16(changeBytes, Records::ClefChange::kClef, change);
            Write16(changeBytes, Records::ClefChange::kPresetWord,
                    Records::ClefChange::kPresetValue);
            document_.Shared().Put(Records::ClefChange::kTag, list, position++, 0,
                                   std::move(changeBytes));
        }
        flags |= Records::FrameHold::kHasClefChanges;
        clef = list;
    }
    Write16(bytes, Records::FrameHold::kClef, clef);
    Write16(bytes, Records::FrameHold::kFlags, flags);
    Write16(bytes, Records::FrameHold::kClefPercent, hold.clefPercent);
    for (std::size_t layer = 0; layer < Records::FrameHold::kLayerValueCount; ++layer) {
        Write16(bytes, Records::FrameHold::kLayerValues + 2 * layer, 0);
    }
    document_.Shared().Put(Records::FrameHold::kTag, static_cast<std::uint16_t>(hold.staff),
                           static_cast<std::uint16_t>(hold.measure), 0, std::move(bytes));
}

void ScoreBuilder::SetComponentWord(const Component::Word& at, std::int64_t value) {
    HostDocument::ComponentWords words =
        document_.ComponentAt(at.code, Component::kKey, at.incidence);
    words[at.word] = static_cast<std::uint16_t>(value);
    document_.PutComponent(at.code, Component::kKey, at.incidence, words);
}

void ScoreBuilder::SetPreferences(const Preferences& preferences) {
    SetComponentWord(Component::kMinimumWidth, preferences.minimumWidth);
    SetComponentWord(Component::kMaximumWidth, preferences.maximumWidth);
    const auto ratio =
        static_cast<std::uint32_t>(preferences.spacingRatio * Component::kSpacingRatioScale + 0.5);
    SetComponentWord(Component::kSpacingRatioLow, ratio & 0xFFFF);
    SetComponentWord(Component::kSpacingRatioHigh, ratio >> 16);
    SetComponentWord(Component::kRestMeasureWidth, preferences.restMeasureWidth);
    SetComponentWord(Component::kRestAdjust, preferences.restAdjust);
    SetComponentWord(Component::kRestAutoUpdate, preferences.restAutoUpdate ? 1 : 0);
    SetComponentWord(Component::kClefPercentDefault, preferences.clefPercentDefault);
    SetComponentWord(Component::kClefDistance, preferences.clefDistance);
    RecordStore::Bytes general = Filled(Records::GeneralPrefs::kSize);
    Write16(general, Records::GeneralPrefs::kMeasurementUnit, preferences.measurementUnit);
    document_.Shared().Put(Records::GeneralPrefs::kTag, Records::GeneralPrefs::kItem, 0, 0,
                           std::move(general));
}

void ScoreBuilder::SetSystemWidth(std::int32_t width) {
    host_.Layout().SetSystemWidth(width);
}

void ScoreBuilder::AddPart(const Part& part) {
    HostParts::Add(document_, static_cast<std::uint16_t>(part.id));
    if (part.name) {
        host_.Terms().SetPartName(part.id, *part.name);
    }
    document_.SetCurrentPart(part.id);
    RecordStore& layout = document_.LayoutOf(part.id);
    std::uint16_t measure = 0;
    for (const std::int16_t width : part.widths) {
        RecordStore::Bytes bytes = Filled(Records::Measure::SizeFor(host_.Version()));
        Write16(bytes, Records::Measure::kWidth, width);
        layout.Put(Records::Measure::kTag, ++measure, 0, 0, std::move(bytes));
    }
    // The part's own staff list (list 0) and one list per system, numbered like the system.
    const std::vector<std::int16_t>& partStaves = part.staves ? *part.staves : scoreStaves_;
    HostStaffLists::Put(document_, 0, partStaves);
    std::uint16_t item = 0;
    for (const System& system : part.systems) {
        RecordStore::Bytes bytes = Filled(Records::System::kSize);
        Write16(bytes, Records::System::kFirst, system.first);
        Write16(bytes, Records::System::kFlags, system.flags);
        Write16(bytes, Records::System::kNext, system.next);
        RecordBytes::Write(bytes.data(), Records::System::kScaling,
                           static_cast<std::int32_t>(system.scaling));
        layout.Put(Records::System::kTag, ++item, 0, 0, std::move(bytes));
        HostStaffLists::Put(document_, static_cast<std::int16_t>(item),
                            system.staves ? *system.staves : partStaves);
    }
    for (const Rest& rest : part.rests) {
        RecordStore::Bytes bytes = Filled(Records::Rest::kSize);
        Write16(bytes, Records::Rest::kWidth, rest.width);
        Write16(bytes, Records::Rest::kNext, rest.next);
        Write16(bytes, Records::Rest::kCountLimit, rest.countLimit);
        Write16(bytes, Records::Rest::kRestAdjust, rest.restAdjust);
        Write16(bytes, Records::Rest::kFlags, rest.flags);
        layout.Put(Records::Rest::kTag, static_cast<std::uint16_t>(rest.first), 0, 0,
                   std::move(bytes));
    }
    // The file's systems were laid out by the program that wrote it, with these widths.
    document_.SetLaidOut(
        part.id, {PartLayout::Of(document_, part.id).Units(), host_.Layout().SystemWidth()});
}

bool ScoreBuilder::Finish(std::int16_t currentPart) {
    if (!HostParts::SwitchTo(document_, currentPart)) {
        return false;
    }
    document_.ShrinkToFit();
    return true;
}
