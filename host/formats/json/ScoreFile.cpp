#include "host/formats/json/ScoreFile.h"

#include "host/files/ScoreFileText.h"
#include "host/formats/ScoreBuilder.h"
#include "host/formats/json/ScoreJson.h"
#include "host/formats/json/ScoreNode.h"
#include "host/model/HostLayout.h"
#include "host/model/HostMeasurement.h"
#include "host/model/HostMusic.h"
#include "host/model/HostRecords.h"
#include "host/model/HostState.h"
#include "hostinterface/HostLayouts.h"

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
namespace Records = HostRecords;

constexpr std::int64_t kLastLayer = HostMusic::kMostLayers - 1;
// Clefs are numbered in a byte.
constexpr std::int64_t kLastClef = 255;
// A system drawn at most a hundred times its full size.
constexpr std::int64_t kLargestScaling = 100 * Records::System::kFullScale;
// The largest ratio whose ten-thousandths still fit the two 16-bit words that hold them.
constexpr double kLargestSpacingRatio = 400000.0;
static_assert(kLargestSpacingRatio * Component::kSpacingRatioScale <= 0xFFFFFFFF);
constexpr auto kLastUnitCode = static_cast<std::int64_t>(HostUnit::Millimeters);

class ScoreLoader {
public:
    ScoreLoader(const ScoreNode& root, HostState& host)
        : root_(root), host_(host), builder_(host) {}

    void Load() {
        host_.SetVersion(root_.Version("hostVersion", host_.Version()));
        LoadLayers();
        LoadStaves();
        LoadMeters();
        LoadEntries();
        LoadFrameHolds();
        LoadPreferences();
        builder_.SetSystemWidth(static_cast<std::int32_t>(
            root_.Integer("systemWidth", HostLayout::kNarrowestSystemWidth,
                          HostLayout::kWidestWidth, HostLayout::kDefaultSystemWidth)));
        LoadParts();
        LoadSelection();
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
            builder_.Staff(id, staff.Integer("defaultClef", 0, kLastClef, 0));
        });
        if (builder_.ScoreStaves().empty()) {
            root_.At("staves").Fail("a score needs at least one staff");
        }
    }

    std::vector<std::int16_t> StaffList(const ScoreNode& node) const {
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
        builder_.Measures(std::move(durations), std::move(numbers));
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
            builder_.Entries(KnownStaff(cell.At("staff")), MeasureNumber(cell, "measure"),
                             static_cast<std::int16_t>(cell.Integer("layer", 0, kLastLayer, 0)),
                             std::move(notes));
        });
    }

    void LoadFrameHolds() {
        root_.ForEach("frameHolds", [&](const ScoreNode& hold) {
            ScoreBuilder::FrameHold built;
            built.flags = hold.Integer("flags", 0, 0xFFFF, 0);
            built.clef = hold.Integer("clef", 0, kLastClef, 0);
            if (hold.Has("clefChanges")) {
                if (builder_.ClefListsFull()) {
                    hold.At("clefChanges")
                        .Fail("at most " + std::to_string(kInt16Max) +
                              " frame holds with clef changes in a score");
                }
                hold.Limit("clefChanges", kInt16Max, "clef changes");
                built.clefChanges.emplace();
                hold.ForEach("clefChanges", [&](const ScoreNode& change) {
                    built.clefChanges->push_back(change.Integer(0, 255));
                });
            }
            built.clefPercent =
                hold.Integer("clefPercent", kInt16Min, kInt16Max, built.clefPercent);
            built.staff = KnownStaff(hold.At("staff"));
            built.measure = MeasureNumber(hold, "measure");
            builder_.Hold(built);
        });
    }

    void LoadPreferences() {
        const ScoreNode prefs = root_.Has("preferences") ? root_.At("preferences") : root_;
        const auto section = [&](const char* key) {
            return prefs.Has(key) ? prefs.At(key) : ScoreNode(empty_, prefs.Path() + "." + key);
        };
        ScoreBuilder::Preferences built;
        const ScoreNode spacing = section("musicSpacing");
        built.minimumWidth = spacing.Integer("minimumWidth", 0, kInt16Max, built.minimumWidth);
        built.maximumWidth = spacing.Integer("maximumWidth", 0, kInt16Max, built.maximumWidth);
        built.spacingRatio =
            spacing.Number("spacingRatio", 0.0, kLargestSpacingRatio, built.spacingRatio);
        const ScoreNode rests = section("multimeasureRests");
        built.restMeasureWidth =
            rests.Integer("measureWidth", kInt16Min, kInt16Max, built.restMeasureWidth);
        built.restAdjust = rests.Integer("restAdjust", kInt16Min, kInt16Max, built.restAdjust);
        built.restAutoUpdate = rests.Boolean("autoUpdate", built.restAutoUpdate);
        built.clefPercentDefault = section("misc").Integer("clefPercentDefault", kInt16Min,
                                                           kInt16Max, built.clefPercentDefault);
        built.clefDistance =
            section("distances").Integer("clefDistance", kInt16Min, kInt16Max, built.clefDistance);
        built.measurementUnit =
            section("general").Integer("measurementUnit", 0, kLastUnitCode, built.measurementUnit);
        builder_.SetPreferences(built);
    }

    void LoadParts() {
        bool hasScore = false;
        std::set<std::int16_t> ids;
        root_.ForEach("parts", [&](const ScoreNode& part) {
            ScoreBuilder::Part built;
            built.id = static_cast<std::int16_t>(part.Integer("id", 0, kInt16Max));
            if (!ids.insert(built.id).second) {
                part.At("id").Fail("part " + std::to_string(built.id) + " is listed twice");
            }
            hasScore = hasScore || built.id == 0;
            if (part.Has("name")) {
                built.name = part.Text("name");
            }
            LoadPartLayout(part, built);
            builder_.AddPart(built);
        });
        if (!hasScore) {
            root_.At("parts").Fail("the score, part 0, is missing");
        }
        const auto current =
            static_cast<std::int16_t>(root_.Integer("currentPart", 0, kInt16Max, 0));
        if (!builder_.Finish(current)) {
            root_.At("currentPart").Fail("no such part");
        }
    }

    void LoadPartLayout(const ScoreNode& part, ScoreBuilder::Part& built) {
        part.ForEach("widths", [&](const ScoreNode& width) {
            if (static_cast<std::int32_t>(built.widths.size()) >= measureCount_) {
                width.Fail("more widths than measures");
            }
            built.widths.push_back(static_cast<std::int16_t>(width.Integer(0, kInt16Max)));
        });
        if (static_cast<std::int32_t>(built.widths.size()) != measureCount_) {
            part.At("widths").Fail("expected a width for each of the " +
                                   std::to_string(measureCount_) + " measures");
        }
        if (part.Has("staves")) {
            built.staves = StaffList(part);
        }
        std::int64_t placedUpTo = 1;
        part.Limit("systems", kInt16Max, "systems");
        part.ForEach("systems", [&](const ScoreNode& node) {
            ScoreBuilder::System system;
            system.first = node.Integer("first", 0, measureCount_);
            // A placed system holds at least one measure and begins where the one before ends
            // or later; first 0 is a system the layout has not placed yet.
            if (system.first != 0 && system.first < placedUpTo) {
                node.At("first").Fail("expected measure " + std::to_string(placedUpTo) +
                                      " or later, after the system before");
            }
            system.next =
                node.Integer("next", system.first ? system.first + 1 : 0, measureCount_ + 1);
            placedUpTo = system.first ? system.next : placedUpTo;
            system.flags = node.Integer("flags", 0, 0xFFFF, 0);
            system.scaling = node.Integer("scaling", 0, kLargestScaling, system.scaling);
            if (node.Has("staves")) {
                system.staves = StaffList(node);
            }
            built.systems.push_back(std::move(system));
        });
        part.ForEach("multimeasureRests", [&](const ScoreNode& node) {
            ScoreBuilder::Rest rest;
            rest.first = MeasureNumber(node, "first");
            rest.width = node.Integer("width", kInt16Min, kInt16Max, rest.width);
            rest.next = node.Integer("next", rest.first + 1, measureCount_ + 1);
            rest.countLimit = node.Integer("countLimit", kInt16Min, kInt16Max, 0);
            rest.restAdjust = node.Integer("restAdjust", kInt16Min, kInt16Max, rest.restAdjust);
            rest.flags = node.Integer("flags", 0, 0xFFFF, 0);
            built.rests.push_back(rest);
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
    ScoreBuilder builder_;
    std::int32_t measureCount_ = 0;
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
