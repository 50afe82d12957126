#include "host/formats/json/ScoreFile.h"

#include "host/files/ScoreFileText.h"
#include "host/formats/json/ScoreJson.h"
#include "host/formats/json/ScoreNode.h"
#include "host/model/HostLayout.h"
#include "host/model/HostMeasurement.h"
#include "host/model/HostMusic.h"
#include "host/model/HostParts.h"
#include "host/model/HostRecords.h"
#include "host/model/HostStaffLists.h"
#include "host/model/HostState.h"
#include "host/model/PartLayout.h"
#include "hostinterface/HostLayouts.h"
#include "hostinterface/RecordBytes.h"

#include <algorithm>
#include <limits>
#include <set>

namespace {

constexpr std::int64_t kInt16Max = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
// A system's or a multimeasure rest's next measure, one past the last, is a 16-bit field too.
constexpr std::int64_t kMaximumMeasures = kInt16Max - 1;

namespace Component = HostRecords::Component;
namespace Defaults = HostRecords::Defaults;
namespace Records = HostRecords;

constexpr std::int64_t kLastLayer = HostMusic::kMostLayers - 1;
// Clefs are numbered in a byte.
constexpr std::int64_t kLastClef = 255;
// A system drawn at most a hundred times its full size.
constexpr std::int64_t kLargestScaling = 100 * Records::System::kFullScale;
// The largest ratio whose ten-thousandths still fit the two 16-bit words that hold them.
constexpr double kLargestSpacingRatio = 400000.0;
static_assert(kLargestSpacingRatio * Component::kSpacingRatioScale <= 0xFFFFFFFF);
constexpr auto kDefaultUnitCode = static_cast<std::int64_t>(HostUnit::EVPUs);
constexpr auto kLastUnitCode = static_cast<std::int64_t>(HostUnit::Millimeters);

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

class ScoreLoader {
public:
    ScoreLoader(const ScoreNode& root, HostState& host)
        : root_(root), host_(host), document_(host.Document()) {}

    void Load() {
        host_.SetVersion(root_.Version("hostVersion", host_.Version()));
        LoadLayers();
        LoadStaves();
        LoadMeters();
        LoadEntries();
        LoadFrameHolds();
        LoadPreferences();
        host_.Layout().SetSystemWidth(static_cast<std::int32_t>(
            root_.Integer("systemWidth", HostLayout::kNarrowestSystemWidth,
                          HostLayout::kWidestWidth, HostLayout::kDefaultSystemWidth)));
        LoadParts();
        LoadSelection();
        document_.ShrinkToFit();
    }

private:
    void LoadLayers() {
        if (!root_.Has("layers")) {
            return;
        }
        const ScoreNode layers = root_.At("layers");
        host_.Music().SetLayerCount(static_cast<std::int16_t>(
            layers.Integer("count", 1, HostMusic::kMostLayers, HostMusic::kDefaultLayerCount)));
        layers.ForEach("hidden", [&](const ScoreNode& layer) {
            host_.Music().SetLayerShown(static_cast<std::int16_t>(layer.Integer(0, kLastLayer)),
                                        false);
        });
    }

    void LoadStaves() {
        root_.ForEach("staves", [&](const ScoreNode& staff) {
            const auto id = static_cast<std::int16_t>(staff.Integer("id", 1, kInt16Max));
            if (!staffIds_.insert(id).second) {
                staff.At("id").Fail("staff " + std::to_string(id) + " is listed twice");
            }
            RecordStore::Bytes bytes = Filled(Records::Staff::SizeFor(host_.Version()));
            Write16(bytes, Records::Staff::kDefaultClef,
                    staff.Integer("defaultClef", 0, kLastClef, 0));
            document_.Shared().Put(Records::Staff::kTag, static_cast<std::uint16_t>(id), 0, 0,
                                   std::move(bytes));
            scoreStaves_.push_back(id);
        });
        if (scoreStaves_.empty()) {
            root_.At("staves").Fail("a score needs at least one staff");
        }
    }

    std::vector<std::int16_t> StaffList(const ScoreNode& node,
                                        const std::vector<std::int16_t>& fallback) const {
        if (!node.Has("staves")) {
            return fallback;
        }
        std::vector<std::int16_t> staves;
        std::set<std::int16_t> listed;
        node.ForEach("staves", [&](const ScoreNode& staff) {
            const std::int16_t id = KnownStaff(staff);
            if (!listed.insert(id).second) {
                staff.Fail("staff " + std::to_string(id) + " is listed twice");
            }
            staves.push_back(id);
        });
        return staves;
    }

    std::int16_t KnownStaff(const ScoreNode& node) const {
        const auto id = static_cast<std::int16_t>(node.Integer(1, kInt16Max));
        if (staffIds_.count(id) == 0) {
            node.Fail("no staff " + std::to_string(id) + " in the score");
        }
        return id;
    }

    // Each measure keeps the meter of the one before unless it names its own.
    void LoadMeters() {
        std::vector<std::int32_t> durations;
        std::vector<std::string> numbers;
        std::int32_t duration = HostLayout::kCommonTime;
        root_.Limit("measures", kMaximumMeasures, "measures");
        root_.ForEach("measures", [&](const ScoreNode& measure) {
            numbers.push_back(measure.Label("number", {}));
            if (measure.Has("meter")) {
                const ScoreNode meter = measure.At("meter");
                const auto beats =
                    static_cast<std::int32_t>(meter.Integer("beats", 1, HostLayout::kMostBeats));
                const auto value = static_cast<std::int32_t>(
                    meter.Integer("beatValue", 1, HostLayout::kShortestBeatValue));
                if (value & (value - 1)) {
                    meter.At("beatValue").Fail("expected a power of two");
                }
                duration = HostLayout::MeterDuration(beats, value);
            }
            durations.push_back(duration);
        });
        if (durations.empty()) {
            root_.At("measures").Fail("a score needs at least one measure");
        }
        measureCount_ = static_cast<std::int32_t>(durations.size());
        host_.Layout().SetDurations(std::move(durations));
        // A score that numbers no measure keeps no list of empty numbers.
        if (std::any_of(numbers.begin(), numbers.end(),
                        [](const std::string& number) { return !number.empty(); })) {
            host_.Terms().SetBarNumbers(std::move(numbers));
        }
    }

    std::int16_t MeasureNumber(const ScoreNode& node, const char* key) const {
        return static_cast<std::int16_t>(node.Integer(key, 1, measureCount_));
    }

    void LoadEntries() {
        root_.ForEach("entries", [&](const ScoreNode& cell) {
            std::vector<std::int16_t> notes;
            cell.ForEach("notes", [&](const ScoreNode& count) {
                notes.push_back(static_cast<std::int16_t>(count.Integer(0, EntryFrame::kMaxNotes)));
            });
            host_.Music().SetEntries(
                KnownStaff(cell.At("staff")), MeasureNumber(cell, "measure"),
                static_cast<std::int16_t>(cell.Integer("layer", 0, kLastLayer, 0)),
                std::move(notes));
        });
    }

    void LoadFrameHolds() {
        std::uint16_t nextClefList = 1;
        root_.ForEach("frameHolds", [&](const ScoreNode& hold) {
            RecordStore::Bytes bytes = Filled(Records::FrameHold::kSize);
            std::int64_t flags = hold.Integer("flags", 0, 0xFFFF, 0);
            std::int64_t clef = hold.Integer("clef", 0, kLastClef, 0);
            if (hold.Has("clefChanges")) {
                if (nextClefList > kInt16Max) {
                    hold.At("clefChanges")
                        .Fail("at most " + std::to_string(kInt16Max) +
                              " frame holds with clef changes in a score");
                }
                hold.Limit("clefChanges", kInt16Max, "clef changes");
                const std::uint16_t list = nextClefList++;
                std::uint16_t position = 0;
                hold.ForEach("clefChanges", [&](const ScoreNode& change) {
                    RecordStore::Bytes changeBytes = Filled(Records::ClefChange::kSize);
                    Write16(changeBytes, Records::ClefChange::kClef, change.Integer(0, 255));
                    Write16(changeBytes, Records::ClefChange::kPresetWord,
                            Records::ClefChange::kPresetValue);
                    document_.Shared().Put(Records::ClefChange::kTag, list, position++, 0,
                                           std::move(changeBytes));
                });
                flags |= Records::FrameHold::kHasClefChanges;
                clef = list;
            }
            Write16(bytes, Records::FrameHold::kClef, clef);
            Write16(bytes, Records::FrameHold::kFlags, flags);
            Write16(bytes, Records::FrameHold::kClefPercent,
                    hold.Integer("clefPercent", kInt16Min, kInt16Max, Defaults::kCellClefPercent));
            for (std::size_t layer = 0; layer < Records::FrameHold::kLayerValueCount; ++layer) {
                Write16(bytes, Records::FrameHold::kLayerValues + 2 * layer, 0);
            }
            document_.Shared().Put(
                Records::FrameHold::kTag, static_cast<std::uint16_t>(KnownStaff(hold.At("staff"))),
                static_cast<std::uint16_t>(MeasureNumber(hold, "measure")), 0, std::move(bytes));
        });
    }

    void SetComponentWord(const Component::Word& at, std::int64_t value) {
        HostDocument::ComponentWords words =
            document_.ComponentAt(at.code, Component::kKey, at.incidence);
        words[at.word] = static_cast<std::uint16_t>(value);
        document_.PutComponent(at.code, Component::kKey, at.incidence, words);
    }

    void LoadPreferences() {
        const ScoreNode prefs = root_.Has("preferences") ? root_.At("preferences") : root_;
        const auto section = [&](const char* key) {
            return prefs.Has(key) ? prefs.At(key) : ScoreNode(empty_, prefs.Path() + "." + key);
        };
        const ScoreNode spacing = section("musicSpacing");
        SetComponentWord(Component::kMinimumWidth, spacing.Integer("minimumWidth", 0, kInt16Max,
                                                                   Defaults::kMinimumMeasureWidth));
        SetComponentWord(Component::kMaximumWidth, spacing.Integer("maximumWidth", 0, kInt16Max,
                                                                   Defaults::kMaximumMeasureWidth));
        const auto ratio = static_cast<std::uint32_t>(
            spacing.Number("spacingRatio", 0.0, kLargestSpacingRatio, Defaults::kSpacingRatio) *
                Component::kSpacingRatioScale +
            0.5);
        SetComponentWord(Component::kSpacingRatioLow, ratio & 0xFFFF);
        SetComponentWord(Component::kSpacingRatioHigh, ratio >> 16);
        const ScoreNode rests = section("multimeasureRests");
        SetComponentWord(Component::kRestMeasureWidth,
                         rests.Integer("measureWidth", kInt16Min, kInt16Max, Defaults::kRestWidth));
        SetComponentWord(Component::kRestAdjust,
                         rests.Integer("restAdjust", kInt16Min, kInt16Max, Defaults::kRestAdjust));
        SetComponentWord(Component::kRestAutoUpdate, rests.Boolean("autoUpdate", false) ? 1 : 0);
        SetComponentWord(Component::kClefPercentDefault,
                         section("misc").Integer("clefPercentDefault", kInt16Min, kInt16Max,
                                                 Defaults::kClefPercentDefault));
        SetComponentWord(
            Component::kClefDistance,
            section("distances")
                .Integer("clefDistance", kInt16Min, kInt16Max, Defaults::kClefDistance));
        RecordStore::Bytes general = Filled(Records::GeneralPrefs::kSize);
        Write16(general, Records::GeneralPrefs::kMeasurementUnit,
                section("general").Integer("measurementUnit", 0, kLastUnitCode, kDefaultUnitCode));
        document_.Shared().Put(Records::GeneralPrefs::kTag, Records::GeneralPrefs::kItem, 0, 0,
                               std::move(general));
    }

    void LoadParts() {
        bool hasScore = false;
        root_.ForEach("parts", [&](const ScoreNode& part) {
            const auto id = static_cast<std::int16_t>(part.Integer("id", 0, kInt16Max));
            if (HostParts::Exists(document_, static_cast<std::uint16_t>(id))) {
                part.At("id").Fail("part " + std::to_string(id) + " is listed twice");
            }
            hasScore = hasScore || id == 0;
            HostParts::Add(document_, static_cast<std::uint16_t>(id));
            if (part.Has("name")) {
                host_.Terms().SetPartName(id, part.Text("name"));
            }
            document_.SetCurrentPart(id);
            LoadPartLayout(part, document_.LayoutOf(id));
            // The file's systems were laid out by the program that wrote it, with these widths.
            document_.SetLaidOut(
                id, {PartLayout::Of(document_, id).Units(), host_.Layout().SystemWidth()});
        });
        if (!hasScore) {
            root_.At("parts").Fail("the score, part 0, is missing");
        }
        const auto current =
            static_cast<std::int16_t>(root_.Integer("currentPart", 0, kInt16Max, 0));
        if (!HostParts::SwitchTo(document_, current)) {
            root_.At("currentPart").Fail("no such part");
        }
    }

    void LoadPartLayout(const ScoreNode& part, RecordStore& layout) {
        std::int32_t measure = 0;
        part.ForEach("widths", [&](const ScoreNode& width) {
            if (++measure > measureCount_) {
                width.Fail("more widths than measures");
            }
            RecordStore::Bytes bytes = Filled(Records::Measure::SizeFor(host_.Version()));
            Write16(bytes, Records::Measure::kWidth, width.Integer(0, kInt16Max));
            layout.Put(Records::Measure::kTag, static_cast<std::uint16_t>(measure), 0, 0,
                       std::move(bytes));
        });
        if (measure != measureCount_) {
            part.At("widths").Fail("expected a width for each of the " +
                                   std::to_string(measureCount_) + " measures");
        }
        // The part's own staff list (list 0) and one list per system, numbered like the system.
        const std::vector<std::int16_t> partStaves = StaffList(part, scoreStaves_);
        HostStaffLists::Put(document_, 0, partStaves);
        std::uint16_t system = 0;
        std::int64_t placedUpTo = 1;
        part.Limit("systems", kInt16Max, "systems");
        part.ForEach("systems", [&](const ScoreNode& node) {
            RecordStore::Bytes bytes = Filled(Records::System::kSize);
            const std::int64_t first = node.Integer("first", 0, measureCount_);
            // A placed system holds at least one measure and begins where the one before ends
            // or later; first 0 is a system the layout has not placed yet.
            if (first != 0 && first < placedUpTo) {
                node.At("first").Fail("expected measure " + std::to_string(placedUpTo) +
                                      " or later, after the system before");
            }
            const std::int64_t next =
                node.Integer("next", first ? first + 1 : 0, measureCount_ + 1);
            placedUpTo = first ? next : placedUpTo;
            Write16(bytes, Records::System::kFirst, first);
            Write16(bytes, Records::System::kFlags, node.Integer("flags", 0, 0xFFFF, 0));
            Write16(bytes, Records::System::kNext, next);
            RecordBytes::Write(bytes.data(), Records::System::kScaling,
                               static_cast<std::int32_t>(node.Integer(
                                   "scaling", 0, kLargestScaling, Records::System::kFullScale)));
            layout.Put(Records::System::kTag, ++system, 0, 0, std::move(bytes));
            HostStaffLists::Put(document_, static_cast<std::int16_t>(system),
                                StaffList(node, partStaves));
        });
        part.ForEach("multimeasureRests", [&](const ScoreNode& rest) {
            const std::int16_t first = MeasureNumber(rest, "first");
            RecordStore::Bytes bytes = Filled(Records::Rest::kSize);
            Write16(bytes, Records::Rest::kWidth,
                    rest.Integer("width", kInt16Min, kInt16Max, Defaults::kRestWidth));
            Write16(bytes, Records::Rest::kNext,
                    rest.Integer("next", first + 1, measureCount_ + 1));
            Write16(bytes, Records::Rest::kCountLimit,
                    rest.Integer("countLimit", kInt16Min, kInt16Max, 0));
            Write16(bytes, Records::Rest::kRestAdjust,
                    rest.Integer("restAdjust", kInt16Min, kInt16Max, Defaults::kRestAdjust));
            Write16(bytes, Records::Rest::kFlags, rest.Integer("flags", 0, 0xFFFF, 0));
            layout.Put(Records::Rest::kTag, static_cast<std::uint16_t>(first), 0, 0,
                       std::move(bytes));
        });
    }

    void LoadSelection() {
        if (!root_.Has("selection")) {
            return;
        }
        const ScoreNode node = root_.At("selection");
        HostSelection::Region region;
        region.startStaffList = region.endStaffList =
            static_cast<std::int16_t>(node.Integer("staffList", 0, kInt16Max, 0));
        region.startSlot = static_cast<std::int16_t>(node.Integer("firstSlot", 1, kInt16Max, 1));
        region.endSlot =
            static_cast<std::int16_t>(node.Integer("lastSlot", region.startSlot, kInt16Max));
        region.startMeasure = MeasureNumber(node, "firstMeasure");
        region.endMeasure = static_cast<std::int16_t>(
            node.Integer("lastMeasure", region.startMeasure, measureCount_));
        region.startPosition =
            static_cast<std::int32_t>(node.Integer("startPosition", 0, kInt32Max, 0));
        region.endPosition =
            static_cast<std::int32_t>(node.Integer("endPosition", 0, kInt32Max, kInt32Max));
        host_.Selection().Select(region);
    }

    const ScoreNode& root_;
    HostState& host_;
    HostDocument& document_;
    std::int32_t measureCount_ = 0;
    std::vector<std::int16_t> scoreStaves_;
    std::set<std::int16_t> staffIds_;
    const nlohmann::json empty_ = nlohmann::json::object();
};

} // namespace

void ScoreFile::Apply(const std::string& json, HostState& host) {
    ApplyParsed(ScoreJson(json), host);
}

void ScoreFile::ApplyParsed(const ScoreJson& document, HostState& host) {
    if (!document.Root().is_object()) {
        throw ScoreError("the score: expected an object");
    }
    try {
        ScoreLoader(ScoreNode(document), host).Load();
    } catch (const nlohmann::json::exception& error) {
        // The readers check each value's type first; this is the last guard.
        throw ScoreError(std::string("the score: ") + error.what());
    }
}

bool ScoreFile::Load(const std::string& path, HostState& host, std::string& error) {
    try {
        Apply(ScoreFileText::Read(path), host);
    } catch (const ScoreError& problem) {
        error = path + ": " + problem.what();
        return false;
    }
    return true;
}
