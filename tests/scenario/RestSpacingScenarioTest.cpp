// Whole passes over small scores whose widths can be worked out by hand.
#include "scenario/ScenarioFixture.h"
#include "shell/PluginState.h"

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
    const std::string system =
        placed ? R"({"first": 1, "next": )" + std::to_string(quarters.size() + 1) + "}"
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

} // namespace
