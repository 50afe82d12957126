// Builds the stand-in host's document from a score, element by element: the one place where
// staves, measures, entries, frame holds, preferences and parts become the host's records,
// whichever file they were read from. The readers check each value against the host's ranges
// before they hand it over; the builder keeps the limits of the records themselves.
#pragma once

#include "host/model/HostMeasurement.h"
#include "host/model/HostRecords.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

class HostDocument;
class HostState;

class ScoreBuilder {
public:
    // Clef-change lists are numbered from 1 in 16 bits.
    static constexpr std::int64_t kMostClefLists = 32767;

    struct FrameHold {
        std::int16_t staff = 0;
        std::int16_t measure = 0;
        std::int64_t flags = 0;
        std::int64_t clef = 0;
        std::int64_t clefPercent = HostRecords::Defaults::kCellClefPercent;
        // The clefs of the cell in order, from the one at its start; none without changes.
        std::optional<std::vector<std::int64_t>> clefChanges;
    };

    struct Preferences {
        std::int64_t minimumWidth = HostRecords::Defaults::kMinimumMeasureWidth;
        std::int64_t maximumWidth = HostRecords::Defaults::kMaximumMeasureWidth;
        double spacingRatio = HostRecords::Defaults::kSpacingRatio;
        std::int64_t restMeasureWidth = HostRecords::Defaults::kRestWidth;
        std::int64_t restAdjust = HostRecords::Defaults::kRestAdjust;
        bool restAutoUpdate = false;
        std::int64_t clefPercentDefault = HostRecords::Defaults::kClefPercentDefault;
        std::int64_t clefDistance = HostRecords::Defaults::kClefDistance;
        std::int64_t measurementUnit = static_cast<std::int64_t>(HostUnit::EVPUs);
    };

    struct System {
        std::int64_t first = 0;
        std::int64_t next = 0;
        std::int64_t flags = 0;
        std::int64_t scaling = HostRecords::System::kFullScale;
        // The part's staves when none are given.
        std::optional<std::vector<std::int16_t>> staves;
    };

    struct Rest {
        std::int16_t first = 0;
        std::int64_t next = 0;
        std::int64_t width = HostRecords::Defaults::kRestWidth;
        std::int64_t countLimit = 0;
        std::int64_t restAdjust = HostRecords::Defaults::kRestAdjust;
        std::int64_t flags = 0;
    };

    struct Part {
        std::int16_t id = 0;
        std::optional<std::string> name;
        // The score's staves when none are given.
        std::optional<std::vector<std::int16_t>> staves;
        std::vector<std::int16_t> widths;
        std::vector<System> systems;
        std::vector<Rest> rests;
    };

    explicit ScoreBuilder(HostState& host);

    void Staff(std::int16_t id, std::int64_t defaultClef);
    const std::vector<std::int16_t>& ScoreStaves() const { return scoreStaves_; }
    // Each measure's duration and its number in the score (empty where it is its place).
    void Measures(std::vector<std::int32_t> durations, std::vector<std::string> numbers);
    void Entries(std::int16_t staff, std::int16_t measure, std::int16_t layer,
                 std::vector<std::int16_t> notes);
    // Throws ScoreError when the clef changes need one list more than the host numbers.
    void Hold(const FrameHold& hold);
    bool ClefListsFull() const { return nextClefList_ > kMostClefLists; }
    void SetPreferences(const Preferences& preferences);
    void SetSystemWidth(std::int32_t width);
    // A part the document does not hold yet, laid out as its systems say.
    void AddPart(const Part& part);
    // The document made ready for a session with the part current; false when there is no such
    // part.
    [[nodiscard]] bool Finish(std::int16_t currentPart);

private:
    void SetComponentWord(const HostRecords::Component::Word& at, std::int64_t value);

    HostState& host_;
    HostDocument& document_;
    std::vector<std::int16_t> scoreStaves_;
    std::int64_t nextClefList_ = 1;
};
