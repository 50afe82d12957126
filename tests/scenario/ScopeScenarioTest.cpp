// Passes over the score and its linked parts, and what a pass must survive.
#include "binding/PluginState.h"
#include "hostinterface/RecordBytes.h"
#include "scenario/ScenarioFixture.h"

#include <algorithm>

namespace {

class ScopeScenarioTest : public ScenarioFixture {
protected:
    std::vector<std::int64_t> PartSwitches() {
        std::vector<std::int64_t> parts;
        for (const HostCall& call : host.CallsTo("FX_SetCurrentPartID")) {
            parts.push_back(call.args[0]);
        }
        return parts;
    }
};

TEST_F(ScopeScenarioTest, FullScoreAndAllPartsTakesTheScoreFirstAndRestoresTheCurrentPart) {
    LoadExample("quartet");
    const RecordStore score = host.Document().LayoutOf(0);
    Choose(1, 1);
    EXPECT_TRUE(RunPass());
    EXPECT_EQ(PartSwitches(), (std::vector<std::int64_t>{0, 0, 1, 0, 2, 0, 3, 0, 4, 0}));
    EXPECT_EQ(host.Document().CurrentPart(), 0);
    EXPECT_FALSE(host.Document().LayoutOf(0) == score);
    // The second violin rests in measures 3 to 12, six bars of 4/4 and four of 3/4: measured
    // by duration against two bars of four quarters, 280 x 1.3 ^ log2(36864 / 8192) = 494.77.
    EXPECT_EQ(RestWidth(3, 2), 494);
}

TEST_F(ScopeScenarioTest, AllPartsOnlyLeavesTheScoreAlone) {
    LoadExample("quartet");
    const RecordStore score = host.Document().LayoutOf(0);
    const RecordStore part = host.Document().LayoutOf(2);
    Choose(2, 1);
    EXPECT_TRUE(RunPass());
    EXPECT_TRUE(host.Document().LayoutOf(0) == score);
    EXPECT_FALSE(host.Document().LayoutOf(2) == part);
}

TEST_F(ScopeScenarioTest, AllPartsOnlyWithoutLinkedPartsDoesNothing) {
    LoadExample("piano");
    const HostDocument before = host.Document();
    Choose(2, 1);
    EXPECT_FALSE(RunPass());
    EXPECT_TRUE(host.Document() == before);
    EXPECT_EQ(host.Edit().CancelledCount(), 1);
}

TEST_F(ScopeScenarioTest, NonRestModeOverSeveralSystemsKeepsEachSystemsMusicTotalAndItsRests) {
    // The host respaces the whole selection at once; asking it once per system would undo the
    // systems already scaled back and hand later systems the host's widths as their "before".
    LoadExample("piano");
    const std::vector<std::int16_t> before = MeasureWidths();
    Choose(0, 2);
    EXPECT_TRUE(RunPass());
    const std::vector<std::int16_t> after = MeasureWidths();
    const std::vector<int> empty = {3, 8, 10, 13, 14};
    for (const auto& [first, next] : Systems()) {
        int total = 0;
        int newTotal = 0;
        for (int measure = first; measure < next; ++measure) {
            const bool rest = std::find(empty.begin(), empty.end(), measure) != empty.end();
            if (rest) {
                EXPECT_EQ(after[measure - 1], before[measure - 1]) << "measure " << measure;
            } else {
                total += before[measure - 1];
                newTotal += after[measure - 1];
            }
        }
        EXPECT_EQ(newTotal, total) << "system from measure " << first;
    }
    EXPECT_NE(after, before);
    EXPECT_EQ(host.CallsTo("FX_ExecuteMenuItem").size(), 1u);
}

TEST_F(ScopeScenarioTest, ARestBeforeAClefChangeGetsRoomForTheClef) {
    // The viola enters in treble clef after resting in measures 9-16: with 75 % of 44 - 12
    // EVPUs as the clef's allowance (24), the rest's adjustment becomes -24.
    LoadExample("quartet");
    Choose(2, 0);
    RunPass();
    EXPECT_EQ(RestAdjust(9, 3), -24);
    EXPECT_EQ(RestAdjust(5, 1), -18);
}

TEST_F(ScopeScenarioTest, ARestOfWidthZeroOrAnUnscaledSystemIsLeftWithoutRoomForTheClef) {
    struct Case {
        const char* what;
        const char* rest;
        const char* scaling;
    };
    const Case cases[] = {
        {"rest width 0", R"({"first": 1, "next": 3, "width": 0})", "10000"},
        {"system scaling 0", R"({"first": 1, "next": 3, "width": 300})", "0"},
    };
    for (const Case& c : cases) {
        host.Reset();
        Load(std::string(R"({"staves": [{"id": 1, "defaultClef": 0}], "measures": [{}, {}, {}],
            "entries": [{"staff": 1, "measure": 3, "notes": [1]}],
            "frameHolds": [{"staff": 1, "measure": 3, "clef": 3}],
            "parts": [{"id": 0, "widths": [200, 200, 200], "multimeasureRests": [)") +
             c.rest + R"(], "systems": [{"first": 1, "next": 4, "scaling": )" + c.scaling +
             R"(}]}], "selection": {"firstSlot": 1, "lastSlot": 1, "firstMeasure": 1,
            "lastMeasure": 3}})");
        Choose(0, 0);
        RunPass();
        EXPECT_EQ(RestAdjust(1), -18) << c.what;
    }
}

TEST_F(ScopeScenarioTest, ReferencesOutsideTheDialogsRangeLeaveTheMeasuresAsTheyAre) {
    // Values read from a settings file are not range-checked: a reference of 0 quarters or
    // measures cannot anchor the width law, so nothing is respaced.
    LoadExample("quartet");
    const HostDocument before = host.Document();
    Choose(1, 1);
    PluginSettings.singleRestReference = 0;
    PluginSettings.mmRestReference = 0;
    EXPECT_FALSE(RunPass());
    EXPECT_TRUE(host.Document() == before);
}

} // namespace
