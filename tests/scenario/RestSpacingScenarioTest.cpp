// Whole passes over small scores whose widths can be worked out by hand.
#include "binding/PluginState.h"
#include "host/model/HostRecords.h"
#include "scenario/ScenarioFixture.h"

#include <string>

namespace {

using Widths = std::vector<std::int16_t>;

// One staff in one system, everything selected unless said otherwise.
struct SingleStaffScore {
    SingleStaffScore(std::vector<int> meters, Widths measureWidths,
                     std::vector<std::pair<int, int>> musicCells, std::string restList = "")
        : quarters(std::move(meters)), widths(std::move(measureWidths)),
          music(std::move(musicCells)), rests(std::move(restList)) {}

    std::vector<int> quarters;              // the meter of each measure, in quarter notes
    Widths widths;                          // the measure widths
    std::vector<std::pair<int, int>> music; // (measure, number of entries)
    std::string rests;                      // multimeasure rests, as score-file text
    std::string preferences = R"({"musicSpacing": {"minimumWidth": 100, "maximumWidth": 1000,
        "spacingRatio": 1.5}, "multimeasureRests": {"measureWidth": 280}})";
    int lastSelected = 0; // 0: the last measure; -1: nothing selected
    bool placed = true;   // false: the system still has to be laid out
    // The first measure of each system after the first; none: one system holds every measure.
    std::vector<int> systemBreaks;

    std::string Json() const;
};

template <typename T, typename Format>
std::string List(const std::vector<T>& values, Format format) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (i ? ", " : "") + format(values[i]);
    }
    return text;
}

std::string SingleStaffScore::Json() const {
    const std::string count = std::to_string(quarters.size());
    const std::string measures = List(quarters, [](int beats) {
        return R"({"meter": {"beats": )" + std::to_string(beats) + R"(, "beatValue": 4}})";
    });
    const std::string entries = List(music, [](const std::pair<int, int>& cell) {
        return R"({"staff": 1, "measure": )" + std::to_string(cell.first) + R"(, "notes": [)" +
               List(std::vector<int>(cell.second, 1), [](int n) { return std::to_string(n); }) +
               "]}";
    });
    std::vector<int> firsts{1};
    firsts.insert(firsts.end(), systemBreaks.begin(), systemBreaks.end());
    std::vector<std::pair<int, int>> ranges;
    for (std::size_t i = 0; i < firsts.size(); ++i) {
        const int next =
            i + 1 < firsts.size() ? firsts[i + 1] : static_cast<int>(quarters.size()) + 1;
        ranges.emplace_back(firsts[i], next);
    }
    const std::string system =
        placed ? List(ranges,
                      [](const std::pair<int, int>& range) {
                          return R"({"first": )" + std::to_string(range.first) + R"(, "next": )" +
                                 std::to_string(range.second) + "}";
                      })
               : R"({"first": 0, "next": 0})";
    const std::string selection =
        lastSelected < 0
            ? ""
            : R"(, "selection": {"firstSlot": 1, "lastSlot": 1, "firstMeasure": 1, "lastMeasure": )" +
                  (lastSelected ? std::to_string(lastSelected) : count) + "}";
    return R"({"staves": [{"id": 1}], "measures": [)" + measures + R"(], "entries": [)" + entries +
           R"(], "preferences": )" + preferences + R"(, "parts": [{"id": 0, "widths": [)" +
           List(widths, [](std::int16_t w) { return std::to_string(w); }) +
           R"(], "multimeasureRests": [)" + rests + R"(], "systems": [)" + system + "]}]" +
           selection + "}";
}

class RestSpacingScenarioTest : public ScenarioFixture {};

TEST_F(RestSpacingScenarioTest, RedistributionSharesTheEmptyMeasuresWidthByDuration) {
    Load(SingleStaffScore{{4, 2, 4}, {300, 300, 250}, {{3, 1}}}.Json());
    Choose(0, 0);
    EXPECT_TRUE(RunPass());
    EXPECT_EQ(MeasureWidths(), (Widths{360, 240, 250}));
    EXPECT_EQ(host.Edit().CommittedTitles().size(), 1u);
}

TEST_F(RestSpacingScenarioTest, EqualDurationsShareEquallyWithTheRemainderLast) {
    Load(SingleStaffScore{{4, 4, 4, 4}, {300, 300, 400, 200}, {{4, 1}}}.Json());
    Choose(0, 0);
    EXPECT_TRUE(RunPass());
    EXPECT_EQ(MeasureWidths(), (Widths{333, 333, 334, 200}));
}

TEST_F(RestSpacingScenarioTest, AnUnchangedPassIsCancelledAndLeavesTheDocumentAsItWas) {
    // One empty measure is never redistributed on its own.
    Load(SingleStaffScore{{4, 4}, {300, 250}, {{2, 1}}}.Json());
    Choose(0, 0);
    const HostDocument before = host.Document();
    EXPECT_FALSE(RunPass());
    EXPECT_TRUE(host.Document() == before);
    EXPECT_EQ(host.Edit().CancelledCount(), 1);
    EXPECT_TRUE(host.Edit().CommittedTitles().empty());
}

TEST_F(RestSpacingScenarioTest, MultimeasureRestsFollowDurationsOrMeasureCounts) {
    // Rests over measures 1-2 (two 4/4 bars) and 3-6 (four 2/4 bars): equal durations, counts
    // of 2 and 4.
    const std::string score =
        SingleStaffScore{
            {4, 4, 2, 2, 2, 2},
            {100, 100, 100, 100, 100, 100},
            {},
            R"({"first": 1, "next": 3, "width": 300}, {"first": 3, "next": 7, "width": 300})"}
            .Json();
    struct Case {
        bool durations;
        std::int16_t first;
        std::int16_t second;
    };
    for (const Case c : {Case{true, 300, 300}, Case{false, 260, 340}}) {
        host.Reset();
        Load(score);
        Choose(0, 0);
        PluginSettings.useMMDurationSpacing = c.durations;
        RunPass();
        EXPECT_EQ(RestWidth(1), c.first) << "durations " << c.durations;
        EXPECT_EQ(RestWidth(3), c.second) << "durations " << c.durations;
        // The empty measures under the rests are not gathered as single rests.
        EXPECT_EQ(MeasureWidths(), (Widths{100, 100, 100, 100, 100, 100}));
    }
}

TEST_F(RestSpacingScenarioTest, RespacingGivesEveryEmptyMeasureItsOwnWidth) {
    // 4/4 is the reference (480), 8/4 twice it (480 x 1.5), 2/4 half of it (480 / 1.5).
    Load(SingleStaffScore{{4, 8, 2, 4}, {300, 300, 300, 250}, {{4, 1}}}.Json());
    Choose(0, 1);
    EXPECT_TRUE(RunPass());
    EXPECT_EQ(MeasureWidths(), (Widths{480, 720, 320, 250}));
    // Widths changed, so the layout was recomputed once after spacing.
    EXPECT_EQ(host.CallsTo("FX_UpdateLayout").size(), 1u);
}

TEST_F(RestSpacingScenarioTest, RespacedWidthsAreClampedAndTheMinimumWinsWhenTheLimitsCross) {
    struct Case {
        const char* limits;
        Widths expected;
    };
    const Case cases[] = {
        {R"("minimumWidth": 400, "maximumWidth": 600)", {480, 600, 400, 250}},
        {R"("minimumWidth": 700, "maximumWidth": 600)", {700, 700, 700, 250}},
    };
    for (const Case& c : cases) {
        host.Reset();
        SingleStaffScore score{{4, 8, 2, 4}, {300, 300, 300, 250}, {{4, 1}}};
        score.preferences =
            std::string(R"({"musicSpacing": {)") + c.limits + R"(, "spacingRatio": 1.5}})";
        Load(score.Json());
        Choose(0, 1);
        RunPass();
        EXPECT_EQ(MeasureWidths(), c.expected) << c.limits;
    }
}

TEST_F(RestSpacingScenarioTest,
       RespacingAMultimeasureRestOfTheReferenceLengthGivesTheDefaultWidth) {
    const std::string score =
        SingleStaffScore{{4, 4, 4, 4, 4, 4, 4},
                         {100, 100, 100, 100, 100, 100, 100},
                         {{7, 1}},
                         R"({"first": 1, "next": 3}, {"first": 3, "next": 7})"}
            .Json();
    Load(score);
    Choose(0, 1);
    PluginSettings.useSingleRestSpacing = false;
    PluginSettings.useMMDurationSpacing = false;
    EXPECT_TRUE(RunPass());
    EXPECT_EQ(RestWidth(1), 280);               // 2 measures: the reference
    EXPECT_EQ(RestWidth(3), 364);               // 4 measures: 280 x 1.3
    PluginSettings.useMMDurationSpacing = true; // 2 bars of 4 quarters: the same reference
    host.Reset();
    Load(score);
    RunPass();
    EXPECT_EQ(RestWidth(1), 280);
}

TEST_F(RestSpacingScenarioTest, RespacingTurnsOffAutomaticMultimeasureRestUpdating) {
    SingleStaffScore score{{4, 8, 4}, {300, 300, 250}, {{3, 1}}};
    score.preferences = R"({"multimeasureRests": {"autoUpdate": true}})";
    Load(score.Json());
    Choose(0, 1);
    EXPECT_TRUE(RunPass());
    EXPECT_EQ(host.Document().ComponentAt("83", 0xFFFE, 0)[4], 0);
}

TEST_F(RestSpacingScenarioTest, NonRestModeScalesTheMusicBackAndKeepsTheRests) {
    // The host's music spacing turns 200 and 300 into 100 (one entry) and 300 (six entries);
    // scaled back to their total of 500 they become 125 and 375.
    const std::string score = SingleStaffScore{{4, 4, 4, 4, 4},
                                               {200, 300, 150, 120, 120},
                                               {{1, 1}, {2, 6}},
                                               R"({"first": 4, "next": 6, "width": 300})"}
                                  .Json();
    Load(score);
    Choose(0, 2);
    EXPECT_TRUE(RunPass());
    EXPECT_EQ(MeasureWidths(), (Widths{125, 375, 150, 120, 120}));
    EXPECT_EQ(RestWidth(4), 300);
    EXPECT_EQ(host.CallsTo("FX_ExecuteMenuItem").size(), 1u);
}

TEST_F(RestSpacingScenarioTest, NonRestModeNeedsTwoMusicMeasures) {
    Load(SingleStaffScore{{4, 4, 4}, {200, 150, 150}, {{1, 1}}}.Json());
    Choose(0, 2);
    const HostDocument before = host.Document();
    EXPECT_FALSE(RunPass());
    EXPECT_TRUE(host.CallsTo("FX_ExecuteMenuItem").empty());
    EXPECT_TRUE(host.Document() == before);
}

TEST_F(RestSpacingScenarioTest, MeasuresOutsideTheSelectionAreNotTouched) {
    SingleStaffScore score{{4, 2, 4, 2}, {300, 300, 300, 300}, {}};
    score.lastSelected = 2;
    Load(score.Json());
    Choose(0, 0);
    EXPECT_TRUE(RunPass());
    EXPECT_EQ(MeasureWidths(), (Widths{360, 240, 300, 300}));
}

TEST_F(RestSpacingScenarioTest, NothingSelectedInTheRegionScopeChangesNothing) {
    SingleStaffScore score{{4, 2}, {300, 300}, {}};
    score.lastSelected = -1;
    Load(score.Json());
    Choose(0, 0);
    EXPECT_FALSE(RunPass());
    EXPECT_EQ(MeasureWidths(), (Widths{300, 300}));
}

TEST_F(RestSpacingScenarioTest, AnUnplacedSystemGetsOneLayoutUpdateBeforeSpacing) {
    SingleStaffScore score{{4, 2, 4}, {300, 300, 250}, {{3, 1}}};
    score.placed = false;
    Load(score.Json());
    Choose(0, 0);
    EXPECT_TRUE(RunPass());
    EXPECT_EQ(host.CallsTo("FX_UpdateLayout").size(), 1u);
    EXPECT_EQ(Systems(), (std::vector<std::pair<std::int16_t, std::int16_t>>{{1, 4}}));
    EXPECT_EQ(MeasureWidths(), (Widths{360, 240, 250}));
}

TEST_F(RestSpacingScenarioTest, NonRestModeLeavesASystemWithOneMusicMeasureExactlyAsItWas) {
    // Systems 1-4 and 5-8. The host's spacing gives music 60 + 40 per entry, empty measures 90
    // and the rest 170. System 1 (music 100, 140, 180 for a total of 750) is scaled back to 178,
    // 250 and 322 with its empty measure kept; system 2 has one music measure and must come
    // back exactly as it was, its rest included.
    SingleStaffScore score{{4, 4, 4, 4, 4, 4, 4, 4},
                           {200, 250, 300, 150, 220, 160, 170, 180},
                           {{1, 1}, {2, 2}, {3, 3}, {5, 2}},
                           R"({"first": 7, "next": 9, "width": 340})"};
    score.systemBreaks = {5};
    Load(score.Json());
    Choose(0, 2);
    constexpr std::uint32_t kMeasureTag = HostRecords::Measure::kTag;
    constexpr std::uint32_t kRestTag = HostRecords::Rest::kTag;
    const RecordStore& layout = host.Document().LayoutOf(0);
    std::vector<RecordStore::Bytes> secondSystem;
    for (std::uint16_t measure = 5; measure <= 8; ++measure) {
        secondSystem.push_back(*layout.Find(kMeasureTag, measure, 0, 0));
    }
    secondSystem.push_back(*layout.Find(kRestTag, 7, 0, 0));

    EXPECT_TRUE(RunPass());

    EXPECT_EQ(host.CallsTo("FX_ExecuteMenuItem").size(), 1u);
    EXPECT_EQ(MeasureWidths(), (Widths{178, 250, 322, 150, 220, 160, 170, 180}));
    EXPECT_EQ(RestWidth(7), 340);
    std::vector<RecordStore::Bytes> after;
    for (std::uint16_t measure = 5; measure <= 8; ++measure) {
        after.push_back(*layout.Find(kMeasureTag, measure, 0, 0));
    }
    after.push_back(*layout.Find(kRestTag, 7, 0, 0));
    EXPECT_EQ(after, secondSystem);
}

TEST_F(RestSpacingScenarioTest, RespacedWidthsBeyondTheFieldAreClampedToTheMaximum) {
    // A rest over 400 measures at factor 1.9 against a reference of 2 measures: 280 x 1.9^log2(200)
    // is about 37,800, beyond the 16-bit field. An empty 64/4 measure at the music-spacing
    // factor 4 against 4/4: 480 x 4^4 = 122,880. Both take the maximum width.
    struct Case {
        int maximum;
        std::int16_t expected;
    };
    for (const Case c : {Case{1000, 1000}, Case{32767, 32767}}) {
        host.Reset();
        std::vector<int> meters(402, 4);
        SingleStaffScore score{meters,
                               Widths(402, 100),
                               {{401, 1}, {402, 1}},
                               R"({"first": 1, "next": 401, "width": 300})"};
        score.preferences =
            R"({"musicSpacing": {"minimumWidth": 100, "maximumWidth": )" +
            std::to_string(c.maximum) +
            R"(, "spacingRatio": 4.0}, "multimeasureRests": {"measureWidth": 280}})";
        Load(score.Json());
        PluginSettings = PluginSettingsRecord::Defaults();
        Choose(0, 1);
        PluginSettings.useSingleRestSpacing = false;
        PluginSettings.mmRestScalingFactor = 1.9f;
        EXPECT_TRUE(RunPass()) << c.maximum;
        EXPECT_EQ(RestWidth(1), c.expected) << c.maximum;

        host.Reset();
        SingleStaffScore measure{{4, 64, 4}, {300, 300, 250}, {{3, 1}}};
        measure.preferences = score.preferences;
        Load(measure.Json());
        PluginSettings = PluginSettingsRecord::Defaults();
        Choose(0, 1);
        PluginSettings.useMMRestSpacing = false;
        EXPECT_TRUE(RunPass()) << c.maximum;
        EXPECT_EQ(MeasureWidths(), (Widths{480, c.expected, 250})) << c.maximum;
    }
}

} // namespace
