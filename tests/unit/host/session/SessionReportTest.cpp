// The report of a session in the score's own terms: one line per change, as a reader names bars
// and parts, a summary line at the end, and the same facts as JSON.
#include "host/session/SessionReport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

using Part = LayoutSnapshot::Part;

// A score that numbers its bars from 0 (a pickup) and a linked part named "Flute".
ScoreTerms Terms() {
    ScoreTerms terms;
    terms.SetBarNumbers({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    terms.SetPartName(1, "Flute");
    return terms;
}

// Ten measures of width 200 in one system, and a rest over measures 5-8 (bars 4-7).
Part Flute() {
    Part part{1, std::vector<LayoutSnapshot::Measure>(10, {200, true}), {{1, 10}}, {{5, 8, 300}}};
    part.rests[0].adjust = -18;
    return part;
}

SessionReport ReportOf(const Part& before, const Part& after) {
    SessionReport report;
    report.terms = Terms();
    report.currentPart = 1;
    report.editsKept = 1;
    LayoutSnapshot was{{before}, 1600};
    LayoutSnapshot is{{after}, 1600};
    report.changes = LayoutChanges::Between(was, is);
    return report;
}

struct ReportCase {
    const char* what;
    void (*change)(Part&);
    const char* lines; // the change lines and the summary
};

TEST(SessionReportTest, NamesEachChangeByTheScoresBarsAndPartsAndSumsThemUp) {
    const ReportCase cases[] = {
        {"a rest's width", [](Part& p) { p.rests[0].width = 390; },
         "Flute, bars 4\u20137: rest 300 \u2192 390\n"
         "summary: 1 rest changed in 1 part; 1 edit kept, 0 cancelled\n"},
        {"a rest's width and adjustment",
         [](Part& p) {
             p.rests[0].width = 390;
             p.rests[0].adjust = 0;
         },
         "Flute, bars 4\u20137: rest 300 \u2192 390 and rest adjust -18 \u2192 0\n"
         "summary: 1 rest changed in 1 part; 1 edit kept, 0 cancelled\n"},
        {"a rest's span", [](Part& p) { p.rests[0].last = 9; },
         "Flute, bars 4\u20137 \u2192 bars 4\u20138: rest 300\n"
         "summary: 1 rest changed in 1 part; 1 edit kept, 0 cancelled\n"},
        {"a rest removed and one added",
         [](Part& p) {
             p.rests = {{2, 3, 250}};
         },
         "Flute, bars 1\u20132: rest added, width 250\n"
         "Flute, bars 4\u20137: rest removed (width 300)\n"
         "summary: 2 rests changed in 1 part; 1 edit kept, 0 cancelled\n"},
        {"runs of measures widened alike, one line each",
         [](Part& p) {
             for (int measure : {2, 3, 4}) {
                 p.measures[static_cast<std::size_t>(measure - 1)].width = 250;
             }
             p.measures[4].width = 300;
             p.measures[6].width = 300;
         },
         "Flute, bars 1\u20133: width 200 \u2192 250\nFlute, bar 4: width 200 \u2192 300\n"
         "Flute, bar 6: width 200 \u2192 300\n"
         "summary: 5 measure widths changed in 1 part; 1 edit kept, 0 cancelled\n"},
        {"systems reflowed, one added",
         [](Part& p) {
             p.systems = {{1, 6}, {7, 10}};
         },
         "Flute, system 1: bars 0\u20139 \u2192 bars 0\u20135\nFlute, system 2: added, bars "
         "6\u20139\n"
         "summary: 2 systems changed in 1 part; 1 edit kept, 0 cancelled\n"},
        {"a system removed", [](Part& p) { p.systems = {}; },
         "Flute, system 1: removed (was bars 0\u20139)\n"
         "summary: 1 system changed in 1 part; 1 edit kept, 0 cancelled\n"},
        {"nothing", [](Part&) {}, "summary: no change to the document; 1 edit kept, 0 cancelled\n"},
    };
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.what);
        Part after = Flute();
        c.change(after);
        EXPECT_EQ(ReportOf(Flute(), after).Text(false),
                  std::string("selection in Flute: none\n") + c.lines);
    }
}

TEST(SessionReportTest, SaysWhichSelectionWasUsedAndWhatWasDoneFirst) {
    SessionReport report = ReportOf(Flute(), Flute());
    report.selection = SessionReport::Selection{5, 8, 1, 1, true};
    report.applied = {{"Respace Using New Values", "Region in Current Score/Part"}};
    report.messages = {{"Selection Required", "Please select a region to space."}};
    report.picture = "pass.svg";
    EXPECT_EQ(report.Text(false),
              "selection in Flute: bars 4\u20137, all staves\n"
              "applied: Respace Using New Values, Region in Current Score/Part\n"
              "message \"Selection Required\": Please select a region to space.\n"
              "picture: pass.svg\n"
              "summary: no change to the document; 1 edit kept, 0 cancelled\n");
    report.currentPart = 0;
    report.selection = SessionReport::Selection{1, 1, 2, 3, false};
    EXPECT_EQ(report.SelectionText(), "selection in Score: bar 0, staves 2\u20133");
}

TEST(SessionReportTest, QuietGivesTheSummaryAloneAndAnUnfinishedSessionClaimsNoOutcome) {
    Part after = Flute();
    after.rests[0].width = 390;
    SessionReport report = ReportOf(Flute(), after);
    EXPECT_EQ(report.Text(true), "summary: 1 rest changed in 1 part; 1 edit kept, 0 cancelled\n");
    report.finished = false;
    EXPECT_EQ(report.Text(true), "summary: the session did not finish; 1 rest changed in 1 part; "
                                 "1 edit kept, 0 cancelled\n");
    report.changes.clear();
    EXPECT_EQ(report.Text(true), "summary: the session did not finish; nothing changed before it "
                                 "stopped; 1 edit kept, 0 cancelled\n");
}

TEST(SessionReportTest, TheScoreAndPartsAreCountedApart) {
    Part scoreBefore{0, std::vector<LayoutSnapshot::Measure>(10, {200, false}), {{1, 10}}, {}};
    Part scoreAfter = scoreBefore;
    scoreAfter.measures[0].width = 100;
    Part flute = Flute();
    flute.rests[0].width = 390;
    SessionReport report;
    report.terms = Terms();
    report.changes =
        LayoutChanges::Between({{scoreBefore, Flute()}, 1600}, {{scoreAfter, flute}, 1600});
    EXPECT_EQ(report.Text(true), "summary: 1 measure width and 1 rest changed in the score and 1 "
                                 "part; 0 edits kept, 0 cancelled\n");
}

TEST(SessionReportTest, TheJsonReportHoldsEveryChangeWithBothNumberings) {
    Part after = Flute();
    after.rests[0].width = 390;
    SessionReport report = ReportOf(Flute(), after);
    report.score = "trio.musicxml";
    report.selection = SessionReport::Selection{2, 3, 1, 1, true};
    const nlohmann::json json = nlohmann::json::parse(report.Json("the output cannot be written"));
    EXPECT_EQ(json["score"], "trio.musicxml");
    EXPECT_EQ(json["currentPart"], "Flute");
    EXPECT_EQ(json["selection"]["firstBar"], "1");
    EXPECT_EQ(json["selection"]["firstMeasure"], 2);
    ASSERT_EQ(json["changes"].size(), 1u);
    const nlohmann::json& change = json["changes"][0];
    EXPECT_EQ(change["part"], "Flute");
    EXPECT_EQ(change["partId"], 1);
    EXPECT_EQ(change["kind"], "rest");
    EXPECT_EQ(change["before"], nlohmann::json::parse(R"({"firstMeasure": 5, "lastMeasure": 8,
        "firstBar": "4", "lastBar": "7", "width": 300, "adjust": -18})"));
    EXPECT_EQ(change["after"]["width"], 390);
    EXPECT_EQ(change["text"], "Flute, bars 4\u20137: rest 300 \u2192 390");
    EXPECT_EQ(json["summary"], "summary: 1 rest changed in 1 part; 1 edit kept, 0 cancelled");
    EXPECT_EQ(json["editsKept"], 1);
    EXPECT_EQ(json["finished"], true);
    EXPECT_EQ(json["error"], "the output cannot be written");
    EXPECT_FALSE(nlohmann::json::parse(report.Json("")).contains("error"));
}

TEST(SessionReportTest, NamesAndNumbersFallBackToTheHostsAndStayOnOneLine) {
    ScoreTerms terms;
    terms.SetBarNumbers({"", " 12a\n"});
    terms.SetPartName(3, "Clarinet\n  in B\u266D");
    EXPECT_EQ(terms.Bar(1), "1");
    EXPECT_EQ(terms.Bar(2), "12a");
    EXPECT_EQ(terms.Bar(3), "3");
    EXPECT_EQ(terms.Part(0), "Score");
    EXPECT_EQ(terms.Part(2), "Part 2");
    EXPECT_EQ(terms.Part(3), "Clarinet in B\u266D");
    EXPECT_EQ(terms.MeasureNumbered("12a", 1, 3), 2);
    EXPECT_EQ(terms.MeasureNumbered("3", 1, 3), 3);
    EXPECT_EQ(terms.MeasureNumbered("12a", 3, 3), std::nullopt);
}

} // namespace
