// The stand-in host's layout: the widths music spacing (the music-spacing menu command) stores
// for a measure and a multimeasure rest, however crowded the measure or long the rest; and the
// layout update, which flows a multimeasure rest as one unit and keeps the systems it can.
#include "host/formats/json/ScoreFile.h"
#include "host/model/HostParts.h"
#include "host/model/HostRecords.h"
#include "host/model/PartLayout.h"
#include "hostinterface/RecordBytes.h"
#include "support/HostFixture.h"
#include "tests/support/RandomDocument.h"
#include "tests/support/SeededDraw.h"
#include "tests/support/SystemExpectations.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <string>
#include <vector>

namespace {

namespace Measure = HostRecords::Measure;
namespace Rest = HostRecords::Rest;

class HostLayoutTest : public HostFixture {
protected:
    // Measure 1 of the score holds so many entries on one staff and starts a multimeasure rest
    // of so many measures; it alone is selected.
    void Build(int entries, std::int16_t span) {
        RecordStore& layout = host.Document().LayoutOf(0);
        layout.Put(Measure::kTag, 1, 0, 0, RecordStore::Bytes(Measure::SizeFor(host.Version())));
        RecordStore::Bytes rest(Rest::kSize);
        RecordBytes::Write(rest.data(), Rest::kNext, static_cast<std::int16_t>(1 + span));
        layout.Put(Rest::kTag, 1, 0, 0, std::move(rest));
        host.Music().SetEntries(1, 1, 0, std::vector<std::int16_t>(entries, 1));
        HostSelection::Region region;
        region.startMeasure = region.endMeasure = 1;
        host.Selection().Select(region);
    }

    std::int16_t WidthOf(std::uint32_t tag) {
        const RecordStore::Found record = host.Document().LayoutOf(0).Find(tag, 1, 0, 0);
        return RecordBytes::Read<std::int16_t>(record->data(), 0);
    }
};

TEST_F(HostLayoutTest, MusicSpacingHoldsWidthsAtTheWidestTheFieldStores) {
    const struct {
        int entries;
        std::int16_t span;
        std::int16_t measureWidth;
        std::int16_t restWidth;
    } cases[] = {
        {0, 1, 90, 160},
        {3, 2, 180, 170},
        // The widest widths the spacing reaches exactly.
        {817, 3261, 32740, 32760},
        // One entry or one measure more no longer fits 16 bits: held at the widest.
        {818, 3262, 32767, 32767},
        {5000, 32766, 32767, 32767},
    };
    for (const auto& c : cases) {
        Build(c.entries, c.span);
        host.Layout().SpaceSelectedMusic(host.Document(), host.Music(), host.Selection());
        EXPECT_EQ(WidthOf(Measure::kTag), c.measureWidth) << c.entries << " entries";
        EXPECT_EQ(WidthOf(Rest::kTag), c.restWidth) << "a rest of " << c.span << " measures";
    }
}

using Systems = PartFlow::Spans;

// A one-staff score whose part 0 has these widths, rests and systems (none: not placed yet).
std::string Score(const std::vector<int>& widths, const nlohmann::json& rests,
                  const Systems& systems, int systemWidth) {
    nlohmann::json part = {{"id", 0}, {"widths", widths}, {"multimeasureRests", rests}};
    part["systems"] = nlohmann::json::array();
    for (const auto& [first, next] : systems) {
        part["systems"].push_back({{"first", first}, {"next", next}});
    }
    if (systems.empty()) {
        part["systems"].push_back({{"first", 0}, {"next", 0}});
    }
    return nlohmann::json{{"staves", {{{"id", 1}}}},
                          {"measures", nlohmann::json(widths.size(), nlohmann::json::object())},
                          {"systemWidth", systemWidth},
                          {"parts", {part}}}
        .dump();
}

Systems SystemsOf(HostDocument& document, std::int16_t part) {
    return PartLayout::Of(document, part).PlacedSystems();
}

TEST_F(HostLayoutTest, UpdateFlowsRestsAsUnitsAndKeepsTheSystemsItCan) {
    const struct {
        const char* layout;
        std::vector<int> widths;
        nlohmann::json rests;
        Systems systems; // as the file has them; none: not placed yet
        int systemWidth;
        std::vector<std::pair<std::uint16_t, std::int16_t>> changes; // measure, new width
        Systems expected;
    } cases[] = {
        {"a rest ends the first system: its measures take no room",
         {400, 400, 400, 400, 400, 400, 400},
         {{{"first", 3}, {"next", 6}, {"width", 200}}},
         {},
         1000,
         {},
         {{1, 6}, {6, 8}}},
        {"a rest wider than a system stands alone",
         {300, 300, 300, 300, 300, 300},
         {{{"first", 2}, {"next", 5}, {"width", 1200}}},
         {},
         1000,
         {},
         {{1, 2}, {2, 5}, {5, 7}}},
        {"the file's own systems, a little wider than the system by rounding, stay",
         {334, 334, 334, 334, 334, 334, 334, 334, 334},
         nlohmann::json::array(),
         {{1, 4}, {4, 7}, {7, 10}},
         1000,
         {{8, 330}},
         {{1, 4}, {4, 7}, {7, 10}}},
        {"a width changed mid-score reflows from its system; the short first system stays",
         {300, 300, 300, 300, 300, 300, 300, 300},
         nlohmann::json::array(),
         {{1, 3}, {3, 6}, {6, 9}},
         1000,
         {{4, 100}},
         {{1, 3}, {3, 7}, {7, 9}}},
        {"a grown width reflows until the flow meets a system that did not change",
         {300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300},
         nlohmann::json::array(),
         {{1, 4}, {4, 6}, {6, 9}, {9, 13}},
         1000,
         {{2, 500}},
         {{1, 3}, {3, 6}, {6, 9}, {9, 13}}},
        {"no width changed: the author's short systems stay",
         {300, 300, 300, 300},
         nlohmann::json::array(),
         {{1, 2}, {2, 5}},
         1000,
         {{3, 300}},
         {{1, 2}, {2, 5}}},
        {"a system that began inside a rest begins after it",
         {300, 300, 300, 300, 300},
         {{{"first", 2}, {"next", 5}, {"width", 300}}},
         {{1, 3}, {3, 6}},
         1000,
         {{1, 250}},
         {{1, 6}}},
    };
    for (const auto& c : cases) {
        host.Reset();
        ScoreFile::Apply(Score(c.widths, c.rests, c.systems, c.systemWidth), host);
        RecordStore& layout = host.Document().LayoutOf(0);
        for (const auto& [measure, width] : c.changes) {
            RecordStore::Bytes bytes = *layout.Find(Measure::kTag, measure, 0, 0);
            RecordBytes::Write(bytes.data(), Measure::kWidth, width);
            layout.Replace(RecordKey{Measure::kTag, {measure, 0, 0}}, std::move(bytes));
        }
        host.Layout().Update(host.Document());
        EXPECT_EQ(SystemsOf(host.Document(), 0), c.expected) << c.layout;
    }
}

// Generated parts (runs of empty measures broken here and there, any widths) flowed afresh,
// then some widths changed and laid out again: both layouts are sound, the systems before the
// first one whose units changed stay, and laying out again changes nothing.
TEST(PartFlowTest, ReflowKeepsTheSystemsBeforeAChangeAndStaysPut) {
    for (std::uint32_t seed = 1; seed <= 500; ++seed) {
        SeededDraw draw(seed);
        const int measures = draw.Between(1, 40);
        std::vector<std::int16_t> widths;
        std::vector<bool> empty;
        std::vector<bool> breaks;
        for (int measure = 0; measure < measures; ++measure) {
            widths.push_back(static_cast<std::int16_t>(draw.Between(0, 700)));
            empty.push_back(draw.Percent(40));
            breaks.push_back(draw.Percent(10));
        }
        PartFlow::Units rests;
        for (const auto& [first, next] : PartFlow::RestRuns(empty, breaks)) {
            rests.push_back({first, next, draw.Between(0, 1500)});
        }
        const std::int32_t systemWidth = draw.Between(300, 2000);
        const PartFlow::Units units = PartFlow::UnitsOf(widths, rests);
        const Systems flowed = PartFlow(units, systemWidth).Flow();
        const std::string where = "seed " + std::to_string(seed);
        ExpectSoundSystems(units, flowed, systemWidth, where);

        PartFlow::Units changed = units;
        std::int32_t firstChange = measures + 1;
        for (int count = draw.Between(0, 3); count > 0; --count) {
            PartFlow::Unit& unit = changed[static_cast<std::size_t>(
                draw.Between(0, static_cast<int>(changed.size()) - 1))];
            unit.width = draw.Between(0, 900);
            if (unit != units[static_cast<std::size_t>(&unit - changed.data())]) {
                firstChange = std::min(firstChange, unit.first);
            }
        }
        const PartFlow flow(changed, systemWidth);
        const PartFlow::LaidOut first{units, systemWidth};
        const Systems reflowed = flow.Reflow(flowed, &first);
        ExpectSoundSystems(changed, reflowed, systemWidth, where);
        for (std::size_t system = 0; system < flowed.size() && flowed[system].second < firstChange;
             ++system) {
            ASSERT_LT(system, reflowed.size()) << where;
            EXPECT_EQ(reflowed[system], flowed[system]) << where << ": system " << system + 1;
        }
        const PartFlow::LaidOut second{changed, systemWidth};
        EXPECT_EQ(flow.Reflow(reflowed, &second), reflowed) << where;
        EXPECT_EQ(flow.Reflow(reflowed, nullptr), reflowed) << where;
    }
}

// Random documents, whose systems and rests lie anywhere (overlapping rests, unplaced systems,
// widths down to 0), laid out in every part as if every width had changed: the systems are
// sound, and a second update, again as if every width had changed, changes nothing.
TEST_F(HostLayoutTest, UpdatedSystemsFitAndNeverBreakInsideARest) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        host.Reset();
        RandomDocument random(seed);
        ScoreFile::Apply(random.Json(), host);
        HostDocument& document = host.Document();
        for (std::uint16_t id = 0; id != HostParts::kNoPart; id = HostParts::Next(document, id)) {
            const auto part = static_cast<std::int16_t>(id);
            const std::string where =
                "seed " + std::to_string(seed) + ", part " + std::to_string(part);
            ASSERT_TRUE(HostParts::SwitchTo(document, part));
            document.SetLaidOut(part, {});
            host.Layout().Update(document);
            const PartLayout laidOut = PartLayout::Of(document, part);
            ExpectSoundSystems(laidOut.Units(), laidOut.PlacedSystems(),
                               host.Layout().SystemWidth(), where);
            document.SetLaidOut(part, {});
            host.Layout().Update(document);
            EXPECT_EQ(PartLayout::Of(document, part).systems, laidOut.systems)
                << where << ": the second update changed the systems";
        }
    }
}

} // namespace
