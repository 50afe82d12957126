#include "host/commandline/CommandLine.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = UserSession::Step::Kind;
using Arguments = std::vector<std::string>;

CommandLine Parse(const Arguments& arguments) {
    return CommandLine::Parse(arguments, "beside/zrcalvex64.so");
}

struct Refused {
    Arguments arguments;
    const char* message;
};

TEST(CommandLineTest, RefusesWhatItCannotUseNamingTheOptionAndItsRange) {
    const Refused cases[] = {
        {{"--score", "s.json", "--bogus"}, "The following argument was not expected: --bogus"},
        {{"--score", "s.json", "stray"}, "The following argument was not expected: stray"},
        {{"--score", "s.json", "--mode"}, "--mode: 1 required"},
        {{"--score", "s.json", "--mode", "4294967297"},
         "--mode: must be a whole number from 0 to 2, not \"4294967297\""},
        {{"--score", "s.json", "--scope", "0x1"}, "--scope: must be a whole number from 0 to 2"},
        {{"--score", "s.json", "--reference-measure", "-2147483648"},
         "--reference-measure: must be a whole number from 2 to 8, not \"-2147483648\""},
        {{"--score", "s.json", "--reference-rest", "9"},
         "--reference-rest: must be a whole number from 2 to 8"},
        {{"--score", "s.json", "--reference-rest", "3.0"},
         "--reference-rest: must be a whole number"},
        {{"--score", "s.json", "--wait", "-1"}, "--wait: must be a whole number from 0 to 3600"},
        {{"--score", "s.json", "--move", "40000,0"},
         "--move: must be X,Y, each a whole number from -32768 to 32767"},
        {{"--score", "s.json", "--move", "1,2,3"}, "--move: must be X,Y"},
        {{"--score", "s.json", "--simple", "yes"}, "--simple: must be one of off, on, not \"yes\""},
        {{"--score", "s.json", "--answer", "cancel"}, "--answer: must be one of no, ok, yes"},
        {{"--score", "s.json", "--unit", "furlongs"}, "--unit: must be one of centimeters, evpus"},
        {{"--score", "s.json", "--settings", "caf\xC3"}, "--settings: must be UTF-8 text"},
        {{"--score", "s.json", "--width", "\xED\xA0\x80"}, "--width: must be UTF-8 text"},
        {{"--score", "s.json", "--settings", std::string(260, 'f')},
         "--settings: the path is 260 UTF-16 units long; the host's paths hold at most 259"},
        {{"--score", "a.json", "--score", "b.json"}, "--score: At Most 1 required but received 2"},
        {{"--score", "s.json", "--picture"}, "--picture: 1 required"},
        {{"--score", "s.json", "--picture", "layout.gif"},
         "--picture: layout.gif: a picture is written as .svg, .png or .pdf"},
        {{"--score", "s.json", "--picture", "pictures.svg/layout"},
         "--picture: pictures.svg/layout: a picture is written as .svg, .png or .pdf"},
        {{"--mode", "1"}, "--score FILE is required"},
        {{"--orchestra", "0", "10"}, "--orchestra: STAVES must be a whole number from 1 to 500"},
        {{"--orchestra", "10", "30001"},
         "--orchestra: MEASURES must be a whole number from 1 to 30000"},
        {{"--orchestra", "10"}, "--orchestra: At least 2 required"},
        {{"--smoke", "--score", "s.json"}, "--smoke is used alone"},
        {{"--orchestra", "2", "3", "--apply"}, "--orchestra is used alone or with --output"},
        {{"--orchestra", "2", "3", "--output", "o.json", "--parts"},
         "--orchestra is used alone or with --output"},
        {{"--smoke", "--call-log", "calls.txt"}, "--smoke is used alone"},
        {{"--score", "s.json", "--call-log"}, "--call-log: 1 required"},
        {{"--score", "s.json", "--output", ""}, "--output: needs a name, not an empty one"},
        {{"--score", "s.json", "--output-parts", ""},
         "--output-parts: needs a name, not an empty one"},
        {{"--score", "s.json", "--call-log", ""}, "--call-log: needs a name, not an empty one"},
        {{"--score", ""}, "--score: needs a name, not an empty one"},
        {{"--orchestra", "2", "3", "--output", ""}, "--output: needs a name, not an empty one"},
        {{"--score", "s.json", "--select", "4-"},
         "--select: must be FIRST-LAST or one measure, in the score's own numbers, not \"4-\""},
        {{"--score", "s.json", "--select", "-7"}, "--select: must be FIRST-LAST or one measure"},
        {{"--score", "s.json", "--select", "1-2", "--select", "3-4"},
         "--select: At Most 1 required but received 2"},
        {{"--score", "s.json", "--select-staves", "1-2"}, "--select-staves requires --select"},
        {{"--score", "s.json", "--select", "1-2", "--select-staves", "0-2"},
         "--select-staves: must be FIRST-LAST or one staff, counted from 1 at the top up to "
         "32767, not \"0-2\""},
        {{"--score", "s.json", "--select", "1-2", "--select-staves", "3-2"},
         "--select-staves: must be FIRST-LAST or one staff"},
        {{"--score", "s.json", "--select", "1-2", "--select-staves", "a"},
         "--select-staves: must be FIRST-LAST or one staff"},
        {{"--score", "s.json", "--part"}, "--part: 1 required"},
        {{"--score", "s.json", "--report"}, "--report: 1 required"},
    };
    for (const Refused& refused : cases) {
        const CommandLine line = Parse(refused.arguments);
        SCOPED_TRACE(refused.message);
        EXPECT_EQ(line.task, CommandLine::Task::Exit);
        EXPECT_EQ(line.exitCode, 2);
        EXPECT_NE(line.message.find(std::string("finale: ") + refused.message), std::string::npos)
            << line.message;
    }
}

TEST(CommandLineTest, HelpAndVersionEndWithoutError) {
    const CommandLine help = Parse({"--help"});
    EXPECT_EQ(help.task, CommandLine::Task::Exit);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.message.find("Usage: finale"), std::string::npos);
    EXPECT_NE(help.message.find("--reference-measure N"), std::string::npos);
    const CommandLine version = Parse({"--version", "--score", "s.json"});
    EXPECT_EQ(version.task, CommandLine::Task::Exit);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.message, "finale (ZR Calvex stand-in host) " CALVEX_TEST_VERSION "\n");
}

void ExpectStep(const UserSession::Step& step, Kind kind, int item, int value,
                const std::u16string& text = {}) {
    EXPECT_EQ(step.kind, kind);
    EXPECT_EQ(step.item, item);
    EXPECT_EQ(step.value, value);
    EXPECT_EQ(step.text, text);
}

TEST(CommandLineTest, KeepsTheDialogStepsInTheOrderGiven) {
    const CommandLine line =
        Parse({"--mode", "2",       "--score",   "s.json",   "--apply", "--reference-measure=8",
               "--mode", "0",       "--move",    "-5,7",     "--show",  "--answer",
               "no",     "--width", "1\xC2\xBD", "--simple", "off",     "--apply",
               "--unit", "picas",   "--wait",    "3"});
    ASSERT_EQ(line.task, CommandLine::Task::Session);
    EXPECT_EQ(line.score, "s.json");
    EXPECT_EQ(line.plugin, "beside/zrcalvex64.so");
    EXPECT_EQ(line.unit, HostUnit::Picas);
    ASSERT_EQ(line.steps.size(), 11u);
    ExpectStep(line.steps[0], Kind::Select, 102, 2);
    ExpectStep(line.steps[1], Kind::Press, 1, 0);
    ExpectStep(line.steps[2], Kind::Select, 109, 6);
    ExpectStep(line.steps[3], Kind::Select, 102, 0);
    ExpectStep(line.steps[4], Kind::Move, -5, 7);
    ExpectStep(line.steps[5], Kind::Show, 0, 0);
    ExpectStep(line.steps[6], Kind::Answer, 0, IDNO);
    ExpectStep(line.steps[7], Kind::Type, 107, 0, u"1\u00BD");
    ExpectStep(line.steps[8], Kind::Check, 105, 0);
    ExpectStep(line.steps[9], Kind::Press, 1, 0);
    ExpectStep(line.steps[10], Kind::Wait, 0, 3);
}

TEST(CommandLineTest, SettingsFolderArrivesAsUtf16UpToThePathLimit) {
    struct Folder {
        std::string given;
        std::u16string expected;
    };
    const Folder cases[] = {
        {"", u""},
        {"/tmp/\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0", u"/tmp/\u041F\u0430\u043F\u043A\u0430"},
        {"C:\\m\xF0\x9D\x84\x9E", u"C:\\m\U0001D11E"},
        {std::string(259, 'f'), std::u16string(259, u'f')},
    };
    for (const Folder& folder : cases) {
        const CommandLine line = Parse({"--score", "s.json", "--settings", folder.given});
        ASSERT_EQ(line.task, CommandLine::Task::Session) << line.message;
        EXPECT_EQ(line.settingsFolder, folder.expected);
    }
}

TEST(CommandLineTest, SmokeAndOrchestraTakeTheirValues) {
    EXPECT_EQ(Parse({"--smoke"}).plugin, "beside/zrcalvex64.so");
    const CommandLine smoke = Parse({"--smoke", "other.so"});
    EXPECT_EQ(smoke.task, CommandLine::Task::Smoke);
    EXPECT_EQ(smoke.plugin, "other.so");
    const CommandLine orchestra = Parse({"--orchestra", "500", "30000"});
    EXPECT_EQ(orchestra.task, CommandLine::Task::Orchestra);
    EXPECT_EQ(orchestra.staves, 500);
    EXPECT_EQ(orchestra.measures, 30000);
    EXPECT_EQ(orchestra.output, "");
    EXPECT_EQ(Parse({"--orchestra", "2", "3", "--output", "o.musicxml"}).output, "o.musicxml");
}

TEST(CommandLineTest, ScoreOutputsPartsPictureAndCallLogAreKept) {
    const CommandLine line = Parse({"--score", "s.musicxml", "--parts", "--output", "out.musicxml",
                                    "--output-parts", "parts", "--plugin", "p.so", "--apply",
                                    "--picture", "pass.PNG", "--call-log", "calls.txt"});
    ASSERT_EQ(line.task, CommandLine::Task::Session) << line.message;
    EXPECT_TRUE(line.linkedParts);
    EXPECT_EQ(line.output, "out.musicxml");
    EXPECT_EQ(line.partsOutput, "parts");
    EXPECT_EQ(line.plugin, "p.so");
    EXPECT_EQ(line.picture, "pass.PNG");
    EXPECT_EQ(line.callLog, "calls.txt");
    EXPECT_EQ(line.steps.size(), 1u) << "the call log is no dialog step";
    const CommandLine plain = Parse({"--score", "s.json"});
    EXPECT_FALSE(plain.linkedParts);
    EXPECT_EQ(plain.callLog, "");
}

TEST(CommandLineTest, SelectionPartAndReportOptionsAreKept) {
    struct Given {
        Arguments arguments;
        std::optional<UserSession::Selection> selection;
    };
    using Selection = UserSession::Selection;
    const Given cases[] = {
        {{}, std::nullopt},
        {{"--select", "0-8"}, Selection{"0", "8", 0, 0}},
        {{"--select", "12a-14"}, Selection{"12a", "14", 0, 0}},
        {{"--select", "5"}, Selection{"5", "5", 0, 0}},
        {{"--select", "3-4", "--select-staves", "2-3"}, Selection{"3", "4", 2, 3}},
        {{"--select-staves", "2", "--select", "X1-X2"}, Selection{"X1", "X2", 2, 2}},
    };
    for (const Given& given : cases) {
        Arguments arguments = {"--score", "s.json"};
        arguments.insert(arguments.end(), given.arguments.begin(), given.arguments.end());
        const CommandLine line = Parse(arguments);
        ASSERT_EQ(line.task, CommandLine::Task::Session) << line.message;
        ASSERT_EQ(line.selection.has_value(), given.selection.has_value());
        if (given.selection) {
            EXPECT_EQ(line.selection->firstBar, given.selection->firstBar);
            EXPECT_EQ(line.selection->lastBar, given.selection->lastBar);
            EXPECT_EQ(line.selection->firstStaff, given.selection->firstStaff);
            EXPECT_EQ(line.selection->lastStaff, given.selection->lastStaff);
        }
        EXPECT_TRUE(line.steps.empty()) << "a selection is no dialog step";
    }
    const CommandLine line = Parse({"--score", "s.json", "--part", "Clarinet in B\xE2\x99\xAD",
                                    "--quiet", "--report", "report.json"});
    EXPECT_EQ(line.part, "Clarinet in B\xE2\x99\xAD");
    EXPECT_TRUE(line.quiet);
    EXPECT_EQ(line.jsonReport, "report.json");
    const CommandLine plain = Parse({"--score", "s.json"});
    EXPECT_EQ(plain.part, "");
    EXPECT_FALSE(plain.quiet);
    EXPECT_EQ(plain.jsonReport, "");
}

} // namespace
