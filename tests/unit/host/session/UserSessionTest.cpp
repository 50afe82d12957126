// A user's session on a score file with the real plug-in module, given a selection and a current
// part from outside the file, as the command line gives them: every scope and mode can be run,
// the report names what was used in the score's own terms, and a region scope with nothing
// selected fails the run.
#include "host/session/UserSession.h"
#include "host/session/PluginDialogItems.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using Kind = UserSession::Step::Kind;
using namespace PluginDialogItems;

// Two staves over six measures numbered from 0 (a pickup), the score and two linked parts: the
// flute plays in bars 0-1, the cello in bar 5; each part rests where it does not play.
const char* const kScore = R"({
  "staves": [{"id": 1}, {"id": 2}],
  "measures": [{"meter": {"beats": 1, "beatValue": 4}, "number": 0},
               {"meter": {"beats": 4, "beatValue": 4}, "number": "1"},
               {"number": 2}, {"number": 3}, {"number": 4}, {"number": 5}],
  "entries": [{"staff": 1, "measure": 1, "notes": [1]},
              {"staff": 1, "measure": 2, "notes": [1, 1, 1, 1]},
              {"staff": 2, "measure": 6, "notes": [1, 1]}],
  "parts": [{"id": 0, "widths": [100, 220, 200, 200, 200, 240],
             "systems": [{"first": 1, "next": 7}]},
            {"id": 1, "name": "Flute", "staves": [1], "widths": [100, 220, 90, 90, 90, 90],
             "systems": [{"first": 1, "next": 7}],
             "multimeasureRests": [{"first": 3, "next": 7, "width": 300}]},
            {"id": 2, "name": "Violoncello", "staves": [2],
             "widths": [90, 90, 90, 90, 90, 140], "systems": [{"first": 1, "next": 7}],
             "multimeasureRests": [{"first": 1, "next": 6, "width": 300}]}]
})";

struct SessionCase {
    const char* what;
    const char* part; // empty: the file's current part
    std::optional<UserSession::Selection> selection;
    int scope;
    int mode;
    bool runs;
    const char* said; // a line of the report when the run succeeds, else part of the error
};

class UserSessionTest : public ::testing::Test {
protected:
    bool Run(const SessionCase& c, std::string& report, std::string& error) {
        const std::string score = (folder.Path() / "duo.json").string();
        TemporaryFolder::WriteBytes(score, kScore);
        UserSession session(score, CALVEX_PLUGIN_MODULE);
        session.SetSettingsFolder(TemporaryFolder::WindowsPath(folder.Path()));
        session.SetPart(c.part);
        if (c.selection) {
            session.Select(*c.selection);
        }
        session.Add({Kind::Select, kScopePopup, {}, c.scope});
        session.Add({Kind::Select, kModePopup, {}, c.mode});
        session.Add({Kind::Press, kApply, {}, 0});
        return session.Run(report, error);
    }

    TemporaryFolder folder;
};

bool HasLine(const std::string& report, const std::string& line) {
    return ("\n" + report).find("\n" + line + "\n") != std::string::npos;
}

TEST_F(UserSessionTest, RunsEveryScopeAndModeOnTheSelectionAndPartGiven) {
    using Selection = UserSession::Selection;
    const SessionCase cases[] = {
        {"region without a selection", "", std::nullopt, 0, 1, false,
         "scope \"Region in Current Score/Part\" works on a selection, and none was made in "
         "Score: give one with --select FIRST-LAST"},
        {"non-rest measures of the score's bars 1-5", "", Selection{"1", "5"}, 0, 2, true,
         "selection in Score: bars 1\u20135, all staves"},
        {"the last non-rest measure narrowed, named by the score's number", "", Selection{"1", "5"},
         0, 2, true, "Score, bar 5: width 240 \u2192 179"},
        {"the region's changes summed up", "", Selection{"1", "5"}, 0, 2, true,
         "summary: 2 measure widths changed in the score; 1 edit kept, 0 cancelled"},
        {"a part by name", "Flute", Selection{"2", "5"}, 0, 1, true,
         "selection in Flute: bars 2\u20135, all staves"},
        {"a part's rest respaced", "Flute", Selection{"2", "5"}, 0, 1, true,
         "Flute, bars 2\u20135: rest 300 \u2192 390"},
        {"a part by ID", "2", Selection{"0", "4"}, 0, 0, true,
         "selection in Violoncello: bars 0\u20134, all staves"},
        {"one bar of one staff", "", Selection{"0", "0", 2, 2}, 0, 1, true,
         "selection in Score: bar 0, staff 2"},
        {"the full score needs no selection", "", std::nullopt, 1, 1, true,
         "selection in Score: none"},
        {"a part the score lacks", "Oboe", std::nullopt, 1, 1, false,
         "no part \"Oboe\" in the score; its parts are Score (0), Flute (1), Violoncello (2)"},
        {"a bar the score lacks", "", Selection{"6", "6"}, 0, 1, false,
         "no bar 6 in the score (its bars run from 0 to 5)"},
        {"bars in reverse", "", Selection{"4", "2"}, 0, 1, false,
         "no bar 2 at or after bar 4 in the score"},
        {"a staff the part lacks", "Flute", Selection{"1", "2", 1, 2}, 0, 1, false,
         "no staff 2 in Flute, which has 1"},
    };
    for (const SessionCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::string report;
        std::string error;
        const bool ran = Run(c, report, error);
        EXPECT_EQ(ran, c.runs) << error;
        if (c.runs) {
            EXPECT_TRUE(HasLine(report, c.said)) << report;
        } else {
            EXPECT_NE(error.find(c.said), std::string::npos) << error;
        }
    }
}

TEST_F(UserSessionTest, ARegionWithoutASelectionStillReportsWhatThePlugInSaid) {
    std::string report;
    std::string error;
    EXPECT_FALSE(Run({"", "", std::nullopt, 0, 1, false, ""}, report, error));
    EXPECT_TRUE(HasLine(report, "message \"Selection Required\": Please select a region to space."))
        << report;
    EXPECT_TRUE(HasLine(report, "summary: no change to the document; 0 edits kept, 0 cancelled"))
        << report;
}

} // namespace
