#include "host/formats/musicxml/MusicXmlMapping.h"

#include "host/files/ScoreError.h"
#include "host/files/Utf8.h"
#include "host/formats/musicxml/MusicXmlScaling.h"
#include "host/model/HostLayout.h"
#include "host/model/HostRecords.h"
#include "host/model/PartFlow.h"

#include <algorithm>
#include <optional>
#include <set>

namespace {

using Json = nlohmann::json;

constexpr std::int64_t kWidestField = 32767;
// A system's next measure, one past its last, is a 16-bit number too.
constexpr std::int64_t kMostMeasures = kWidestField - 1;

[[noreturn]] void Fail(const MusicXmlPart& part, const MusicXmlMeasure& measure,
                       const std::string& problem) {
    throw ScoreError("part " + part.id + (part.name.empty() ? "" : " (" + part.name + ")") +
                     ", measure " + measure.number + ": " + problem);
}

struct Meter {
    std::int64_t beats;
    int beatValue;
};

// The shortest meter that holds the duration exactly: 3072 is 3/4, 2560 is 5/8.
std::optional<Meter> ExactMeter(std::int64_t duration) {
    for (int beatValue = 1; beatValue <= HostLayout::kShortestBeatValue; beatValue *= 2) {
        const std::int32_t beat = HostLayout::MeterDuration(1, beatValue);
        if (duration % beat == 0 && duration / beat <= HostLayout::kMostBeats) {
            return Meter{duration / beat, beatValue};
        }
    }
    return std::nullopt;
}

Meter MeterOf(std::int64_t duration, const MusicXmlPart& part, const MusicXmlMeasure& measure) {
    if (std::optional<Meter> meter = ExactMeter(duration)) {
        return *meter;
    }
    Fail(part, measure,
         "a measure of " + std::to_string(duration) + " host units fits no meter of the host");
}

// A measure's length as the host holds it: exactly where a meter can; otherwise (a tuplet left
// open, divisions that do not divide the host's units) the nearest length a meter holds, counted
// in the shortest beat that reaches it.
std::int64_t HostLength(const MusicXmlDuration& length) {
    const std::int64_t units = length.HostUnits();
    if (length.IsWholeHostUnits() && ExactMeter(units)) {
        return units;
    }
    for (int beatValue = HostLayout::kShortestBeatValue; beatValue >= 1; beatValue /= 2) {
        const std::int32_t beat = HostLayout::MeterDuration(1, beatValue);
        const std::int64_t beats = std::max<std::int64_t>(1, (units + beat / 2) / beat);
        if (beats <= HostLayout::kMostBeats) {
            return beats * beat;
        }
    }
    return units;
}

int BusiestStaff(const MusicXmlPart& part, std::size_t measure) {
    int busiest = 0;
    for (const MusicXmlCell& cell : part.measures[measure].cells) {
        int entries = 0;
        for (const auto& layer : cell.layers) {
            entries += static_cast<int>(layer.size());
        }
        busiest = std::max(busiest, entries);
    }
    return busiest;
}

bool IsEmpty(const MusicXmlPart& part, std::size_t measure) {
    const auto& cells = part.measures[measure].cells;
    return std::none_of(cells.begin(), cells.end(),
                        [](const MusicXmlCell& cell) { return cell.HasEntries(); });
}

std::vector<ScoreBuilder::System> Systems(const PartFlow::Spans& spans) {
    std::vector<ScoreBuilder::System> systems;
    for (const auto& [first, next] : spans) {
        ScoreBuilder::System system;
        system.first = first;
        system.next = next;
        systems.push_back(system);
    }
    return systems;
}

std::vector<ScoreBuilder::Rest> Rests(const PartFlow::Units& units) {
    std::vector<ScoreBuilder::Rest> rests;
    for (const PartFlow::Unit& unit : units) {
        ScoreBuilder::Rest rest;
        rest.first = static_cast<std::int16_t>(unit.first);
        rest.next = unit.next;
        rest.width = unit.width;
        rests.push_back(rest);
    }
    return rests;
}

// A measure as the host holds it: its duration, the meter written where the duration changes,
// and the score's own number where it is not the measure's place.
struct MappedMeasure {
    std::int32_t duration;
    std::optional<Meter> meter;
    std::string number;
};

// The score as the host's document holds it; its entries are visited from the score.
struct Mapped {
    std::int32_t systemWidth;
    std::vector<std::pair<int, int>> staves; // ID and default clef
    std::vector<MappedMeasure> measures;
    std::vector<ScoreBuilder::FrameHold> holds;
    std::vector<ScoreBuilder::Part> parts;
};

class Mapping {
public:
    Mapping(const MusicXmlScore& score)
        : score_(score), scaling_(score.millimeters, score.tenths),
          measureCount_(score.MeasureCount()), rehearsals_(measureCount_) {
        for (const MusicXmlPart& part : score_.parts) {
            for (std::size_t measure = 0; measure < measureCount_; ++measure) {
                rehearsals_[measure] = rehearsals_[measure] || part.measures[measure].rehearsal;
            }
        }
    }

    Mapped Map(bool linkedParts) {
        CheckCounts();
        Mapped mapped;
        mapped.systemWidth = systemWidth_ = SystemWidth();
        mapped.staves = Staves();
        mapped.measures = Measures();
        mapped.holds = FrameHolds();
        mapped.parts.push_back(ScoreLayout());
        if (linkedParts) {
            for (std::size_t part = 0; part < score_.parts.size(); ++part) {
                mapped.parts.push_back(LinkedPart(part));
            }
        }
        return mapped;
    }

    // Calls the visitor for each layer of a cell that holds entries: staff (from 1), measure
    // (from 1), layer and the note counts of its entries.
    template <typename Visit> void ForEachEntries(Visit visit) const {
        ForEachCell([&](int staff, std::size_t measure, const MusicXmlCell& cell) {
            for (std::size_t layer = 0; layer < cell.layers.size(); ++layer) {
                if (!cell.layers[layer].empty()) {
                    visit(staff, measure + 1, layer, cell.layers[layer]);
                }
            }
        });
    }

private:
    // Measures, staves and parts are numbered in 16 bits by the host.
    void CheckCounts() const {
        std::size_t staves = 0;
        for (const MusicXmlPart& part : score_.parts) {
            staves += static_cast<std::size_t>(part.staves);
        }
        if (measureCount_ > kMostMeasures || staves > kWidestField ||
            score_.parts.size() > kWidestField) {
            throw ScoreError("the score has " + std::to_string(measureCount_) + " measures, " +
                             std::to_string(staves) + " staves and " +
                             std::to_string(score_.parts.size()) +
                             " parts; the host holds at most " + std::to_string(kMostMeasures) +
                             " measures and " + std::to_string(kWidestField) + " staves and parts");
        }
    }

    std::int32_t SystemWidth() const {
        if (!score_.systemWidth) {
            return HostLayout::kDefaultSystemWidth;
        }
        const std::int64_t width = scaling_.ToEvpus(*score_.systemWidth);
        if (width < HostLayout::kNarrowestSystemWidth || width > HostLayout::kWidestWidth) {
            throw ScoreError("<defaults>: the page layout leaves systems " + std::to_string(width) +
                             " EVPUs wide, outside " +
                             std::to_string(HostLayout::kNarrowestSystemWidth) + " to " +
                             std::to_string(HostLayout::kWidestWidth));
        }
        return static_cast<std::int32_t>(width);
    }

    // Staff IDs run from 1 through the parts' staves in part-list order.
    std::vector<std::pair<int, int>> Staves() {
        std::vector<std::pair<int, int>> staves;
        for (const MusicXmlPart& part : score_.parts) {
            partStaves_.emplace_back();
            for (int staff = 0; staff < part.staves; ++staff) {
                const int id = static_cast<int>(staves.size()) + 1;
                const auto& first = part.measures.front().cells[static_cast<std::size_t>(staff)];
                staves.emplace_back(id, first.startClef.value_or(0));
                partStaves_.back().push_back(static_cast<std::int16_t>(id));
            }
        }
        return staves;
    }

    // The meter in force, unless the music of the measure is shorter (a pickup) or longer.
    std::vector<MappedMeasure> Measures() const {
        std::vector<MappedMeasure> measures;
        const std::vector<MusicXmlDuration> lengths = score_.MeasureLengths();
        std::int64_t previous = 0;
        for (std::size_t measure = 0; measure < measureCount_; ++measure) {
            const std::int64_t duration = HostLength(lengths[measure]);
            const MusicXmlPart& first = score_.parts.front();
            MappedMeasure mapped{static_cast<std::int32_t>(duration), std::nullopt, {}};
            if (duration != previous) {
                mapped.meter = MeterOf(duration, first, first.measures[measure]);
            }
            const std::string& number = first.measures[measure].number;
            if (!number.empty() && number != std::to_string(measure + 1)) {
                mapped.number = number;
            }
            measures.push_back(std::move(mapped));
            previous = duration;
        }
        return measures;
    }

    // A clef at the start of a later measure that differs from the one in force is the frame
    // hold's clef; clefs after the first entry make the cell's clef-change list, which starts
    // with the clef at the start of the cell.
    std::vector<ScoreBuilder::FrameHold> FrameHolds() const {
        std::vector<ScoreBuilder::FrameHold> holds;
        std::vector<int> inForce;
        ForEachCell([&](int staff, std::size_t measure, const MusicXmlCell& cell) {
            if (inForce.size() < static_cast<std::size_t>(staff)) {
                inForce.push_back(cell.startClef.value_or(0));
            }
            int& clef = inForce[static_cast<std::size_t>(staff - 1)];
            const int start = cell.startClef.value_or(clef);
            ScoreBuilder::FrameHold hold;
            hold.staff = static_cast<std::int16_t>(staff);
            hold.measure = static_cast<std::int16_t>(measure + 1);
            if (!cell.laterClefs.empty()) {
                hold.clefChanges = std::vector<std::int64_t>{start};
                hold.clefChanges->insert(hold.clefChanges->end(), cell.laterClefs.begin(),
                                         cell.laterClefs.end());
                holds.push_back(std::move(hold));
                clef = cell.laterClefs.back();
            } else if (start != clef) {
                hold.clef = start;
                holds.push_back(std::move(hold));
                clef = start;
            }
        });
        return holds;
    }

    // Calls the visitor for each cell, staff by staff (IDs from 1) and measure by measure.
    template <typename Visit> void ForEachCell(Visit visit) const {
        int staff = 0;
        for (const MusicXmlPart& part : score_.parts) {
            for (std::size_t index = 0; index < static_cast<std::size_t>(part.staves); ++index) {
                ++staff;
                for (std::size_t measure = 0; measure < measureCount_; ++measure) {
                    visit(staff, measure, part.measures[measure].cells[index]);
                }
            }
        }
    }

    // A written width is converted (the widest part's when they differ); a measure without one
    // gets the host's music spacing.
    std::vector<std::int16_t> ScoreWidths() const {
        std::vector<std::int16_t> widths;
        for (std::size_t measure = 0; measure < measureCount_; ++measure) {
            std::int64_t width = -1;
            int busiest = 0;
            for (const MusicXmlPart& part : score_.parts) {
                const MusicXmlMeasure& written = part.measures[measure];
                if (written.width) {
                    const std::int64_t evpus = scaling_.ToEvpus(*written.width);
                    if (evpus > HostLayout::kWidestWidth) {
                        Fail(part, written,
                             "width " + std::to_string(std::llround(*written.width)) +
                                 " tenths is " + std::to_string(evpus) +
                                 " EVPUs, beyond the widest measure of " +
                                 std::to_string(HostLayout::kWidestWidth));
                    }
                    width = std::max(width, evpus);
                }
                busiest = std::max(busiest, BusiestStaff(part, measure));
            }
            widths.push_back(width >= 0 ? static_cast<std::int16_t>(width)
                                        : HostLayout::MusicWidth(busiest));
        }
        return widths;
    }

    // Systems begin where the file breaks them, except inside a multimeasure rest (a mark on the
    // first measure alone says it is one system); a file without breaks is flowed.
    PartFlow::Spans ScoreSystems(const PartFlow::Units& units) const {
        std::vector<std::int32_t> starts;
        bool marked = false;
        for (const PartFlow::Unit& unit : units) {
            const auto measure = static_cast<std::size_t>(unit.first - 1);
            const bool breaks =
                std::any_of(score_.parts.begin(), score_.parts.end(), [&](const MusicXmlPart& p) {
                    return p.measures[measure].newSystem || p.measures[measure].newPage;
                });
            marked = marked || breaks;
            if (measure == 0 || breaks) {
                starts.push_back(unit.first);
            }
        }
        if (!marked) {
            return PartFlow(units, systemWidth_).Flow();
        }
        PartFlow::Spans systems;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            systems.emplace_back(starts[i], i + 1 < starts.size()
                                                ? starts[i + 1]
                                                : static_cast<std::int32_t>(measureCount_) + 1);
        }
        return systems;
    }

    // The score's multimeasure rests are the ones the file writes, as wide as their first
    // measure.
    PartFlow::Units ScoreRests(const std::vector<std::int16_t>& widths) const {
        PartFlow::Units rests;
        for (std::size_t measure = 0; measure < measureCount_;) {
            int span = 0;
            for (const MusicXmlPart& part : score_.parts) {
                span = std::max(span, part.measures[measure].multipleRest);
            }
            if (span >= 2) {
                const std::size_t next =
                    std::min(measure + static_cast<std::size_t>(span), measureCount_);
                rests.push_back({static_cast<std::int32_t>(measure + 1),
                                 static_cast<std::int32_t>(next + 1), widths[measure]});
                measure = next;
            } else {
                ++measure;
            }
        }
        return rests;
    }

    ScoreBuilder::Part ScoreLayout() const {
        ScoreBuilder::Part layout;
        layout.widths = ScoreWidths();
        const PartFlow::Units rests = ScoreRests(layout.widths);
        layout.systems = Systems(ScoreSystems(PartFlow::UnitsOf(layout.widths, rests)));
        layout.rests = Rests(rests);
        return layout;
    }

    // Where a run of rests in an extracted part must end before the measure.
    bool BreaksBefore(const MusicXmlPart& part, std::size_t measure) const {
        const MusicXmlMeasure& here = part.measures[measure];
        return here.meterChange || here.keyChange || here.doubleBarBefore ||
               (measure > 0 && part.measures[measure - 1].doubleBarAfter) || rehearsals_[measure];
    }

    // Every run of two or more empty measures, broken where BreaksBefore says.
    PartFlow::Units PartRests(const MusicXmlPart& part) const {
        std::vector<bool> empty;
        std::vector<bool> breaksBefore;
        for (std::size_t measure = 0; measure < measureCount_; ++measure) {
            empty.push_back(IsEmpty(part, measure));
            breaksBefore.push_back(BreaksBefore(part, measure));
        }
        PartFlow::Units rests;
        for (const auto& [first, next] : PartFlow::RestRuns(empty, breaksBefore)) {
            rests.push_back({first, next, HostRecords::Defaults::kRestWidth});
        }
        return rests;
    }

    // An extracted part is flowed afresh, each multimeasure rest one unit of the layout.
    ScoreBuilder::Part LinkedPart(std::size_t index) const {
        const MusicXmlPart& part = score_.parts[index];
        ScoreBuilder::Part linked;
        linked.id = static_cast<std::int16_t>(index + 1);
        linked.staves = partStaves_[index];
        for (std::size_t measure = 0; measure < measureCount_; ++measure) {
            linked.widths.push_back(HostLayout::MusicWidth(BusiestStaff(part, measure)));
        }
        const PartFlow::Units rests = PartRests(part);
        linked.systems =
            Systems(PartFlow(PartFlow::UnitsOf(linked.widths, rests), systemWidth_).Flow());
        linked.rests = Rests(rests);
        if (!part.name.empty()) {
            linked.name = part.name;
        }
        return linked;
    }

    const MusicXmlScore& score_;
    MusicXmlScaling scaling_;
    std::size_t measureCount_;
    std::int32_t systemWidth_ = HostLayout::kDefaultSystemWidth;
    std::vector<std::vector<std::int16_t>> partStaves_;
    // Measures with a rehearsal mark in any part.
    std::vector<bool> rehearsals_;
};

// Text as the host's document holds it: bytes that are no UTF-8 (in a part's name or a measure's
// number) become U+FFFD, as the JSON library writes them.
std::string HostText(const std::string& text) {
    if (text.empty() || Utf8::ToUtf16(text)) {
        return text;
    }
    return Json::parse(Json(text).dump(-1, ' ', false, Json::error_handler_t::replace))
        .get<std::string>();
}

} // namespace

void MusicXmlMapping::Build(const MusicXmlScore& score, bool linkedParts, ScoreBuilder& builder) {
    Mapping mapping(score);
    const Mapped mapped = mapping.Map(linkedParts);
    for (const auto& [id, clef] : mapped.staves) {
        builder.Staff(static_cast<std::int16_t>(id), clef);
    }
    std::vector<std::int32_t> durations;
    std::vector<std::string> numbers;
    for (const MappedMeasure& measure : mapped.measures) {
        durations.push_back(measure.duration);
        numbers.push_back(HostText(measure.number));
    }
    builder.Measures(std::move(durations), std::move(numbers));
    mapping.ForEachEntries([&](int staff, std::size_t measure, std::size_t layer,
                               const std::vector<std::int16_t>& notes) {
        builder.Entries(static_cast<std::int16_t>(staff), static_cast<std::int16_t>(measure),
                        static_cast<std::int16_t>(layer), notes);
    });
    for (const ScoreBuilder::FrameHold& hold : mapped.holds) {
        builder.Hold(hold);
    }
    builder.SetPreferences({});
    builder.SetSystemWidth(mapped.systemWidth);
    for (ScoreBuilder::Part part : mapped.parts) {
        if (part.name) {
            part.name = HostText(*part.name);
        }
        builder.AddPart(part);
    }
    // The score, part 0, is always there.
    static_cast<void>(builder.Finish(0));
}

nlohmann::json MusicXmlMapping::ScoreJson(const MusicXmlScore& score, bool linkedParts) {
    Mapping mapping(score);
    const Mapped mapped = mapping.Map(linkedParts);
    Json out = Json::object();
    out["systemWidth"] = mapped.systemWidth;
    out["staves"] = Json::array();
    for (const auto& [id, clef] : mapped.staves) {
        out["staves"].push_back({{"id", id}, {"defaultClef", clef}});
    }
    out["measures"] = Json::array();
    for (const MappedMeasure& measure : mapped.measures) {
        Json entry = Json::object();
        if (measure.meter) {
            entry["meter"] = {{"beats", measure.meter->beats},
                              {"beatValue", measure.meter->beatValue}};
        }
        if (!measure.number.empty()) {
            entry["number"] = measure.number;
        }
        out["measures"].push_back(std::move(entry));
    }
    out["entries"] = Json::array();
    mapping.ForEachEntries([&](int staff, std::size_t measure, std::size_t layer,
                               const std::vector<std::int16_t>& notes) {
        out["entries"].push_back(
            {{"staff", staff}, {"measure", measure}, {"layer", layer}, {"notes", notes}});
    });
    out["frameHolds"] = Json::array();
    for (const ScoreBuilder::FrameHold& hold : mapped.holds) {
        Json written = {{"staff", hold.staff}, {"measure", hold.measure}};
        if (hold.clefChanges) {
            written["clefChanges"] = *hold.clefChanges;
        } else {
            written["clef"] = hold.clef;
        }
        out["frameHolds"].push_back(std::move(written));
    }
    out["parts"] = Json::array();
    for (const ScoreBuilder::Part& part : mapped.parts) {
        Json written = {{"id", part.id}, {"widths", part.widths}};
        if (part.staves) {
            written["staves"] = *part.staves;
        }
        if (part.name) {
            written["name"] = *part.name;
        }
        written["systems"] = Json::array();
        for (const ScoreBuilder::System& system : part.systems) {
            written["systems"].push_back({{"first", system.first}, {"next", system.next}});
        }
        written["multimeasureRests"] = Json::array();
        for (const ScoreBuilder::Rest& rest : part.rests) {
            written["multimeasureRests"].push_back(
                {{"first", rest.first}, {"next", rest.next}, {"width", rest.width}});
        }
        out["parts"].push_back(std::move(written));
    }
    return out;
}
