// What a session writes: every output is checked before the session starts, and none is written
// unless all of them can be.
#include "host/formats/OrchestraScore.h"
#include "host/formats/musicxml/MusicXmlFixture.h"
#include "host/session/UserSession.h"

#include <functional>

namespace fs = std::filesystem;

namespace {

class SessionOutputsTest : public MusicXmlFixture {
public:
    using MusicXmlFixture::folder;
    using MusicXmlFixture::Write;

    // A small score with parts of the given IDs, one measure each.
    std::string ScoreWithParts(const std::vector<std::string>& ids) const {
        std::string text = Score(std::vector<std::string>(ids.size(), Measure(1, Divisions(1))));
        for (std::size_t part = ids.size(); part >= 1; --part) {
            const std::string id = "id=\"P" + std::to_string(part) + '"';
            const std::string given = "id=\"" + ids[part - 1] + '"';
            for (std::size_t at = text.find(id); at != std::string::npos;
                 at = text.find(id, at + given.size())) {
                text.replace(at, id.size(), given);
            }
        }
        return text;
    }

    std::string Path(const std::string& name) const { return (folder / name).string(); }
};

struct OutputCase {
    const char* what;
    // Makes the files and sets the session's outputs.
    std::function<void(SessionOutputsTest&, UserSession&)> prepare;
    // Part of the reason, or empty when the session succeeds.
    const char* refusal;
    // What must hold afterwards.
    std::function<void(SessionOutputsTest&, const std::string& report)> check;
};

TEST_F(SessionOutputsTest, OutputsAreCheckedBeforeTheSessionAndWrittenOnlyAfterIt) {
    const std::string scoreText = ScoreWithParts({"P1", "P2"});
    const OutputCase cases[] = {
        {"a call log naming the score leaves the score as it was",
         [](SessionOutputsTest& t, UserSession& session) {
             session.SetCallLog(t.Path("score.musicxml"));
         },
         "it is the score",
         [&](SessionOutputsTest& t, const std::string&) {
             EXPECT_EQ(Read(t.Path("score.musicxml")), scoreText);
         }},
        {"an output that is a second name of the score is refused",
         [](SessionOutputsTest& t, UserSession& session) {
             fs::create_hard_link(t.Path("score.musicxml"), t.Path("alias.musicxml"));
             session.SetOutput(t.Path("alias.musicxml"));
         },
         "it is the score",
         [&](SessionOutputsTest& t, const std::string&) {
             EXPECT_EQ(Read(t.Path("score.musicxml")), scoreText);
         }},
        {"the part folder is a file: the score output is not written either",
         [](SessionOutputsTest& t, UserSession& session) {
             t.Write("parts", "a file");
             session.SetOutput(t.Path("out.musicxml"));
             session.SetPartsOutput(t.Path("parts"));
         },
         "it is not a folder",
         [](SessionOutputsTest& t, const std::string&) {
             EXPECT_FALSE(fs::exists(t.Path("out.musicxml")));
         }},
        {"a read-only output is refused and nothing is written",
         [](SessionOutputsTest& t, UserSession& session) {
             t.Write("out.musicxml", "old");
             fs::permissions(t.Path("out.musicxml"), fs::perms::owner_read);
             session.SetOutput(t.Path("out.musicxml"));
             session.SetCallLog(t.Path("calls.txt"));
         },
         "it is read-only",
         [](SessionOutputsTest& t, const std::string&) {
             EXPECT_EQ(Read(t.Path("out.musicxml")), "old");
             EXPECT_FALSE(fs::exists(t.Path("calls.txt")));
         }},
        {"two outputs naming one file are refused",
         [](SessionOutputsTest& t, UserSession& session) {
             session.SetOutput(t.Path("out.json"));
             session.SetCallLog((t.folder / "." / "out.json").string());
         },
         "it is also the output",
         [](SessionOutputsTest& t, const std::string&) {
             EXPECT_FALSE(fs::exists(t.Path("out.json")));
         }},
        {"an output in a missing folder is refused with the system's reason",
         [](SessionOutputsTest& t, UserSession& session) {
             session.SetPicture(t.Path("picture.svg"));
             session.SetOutput(t.Path("missing/out.json"));
         },
         "does not exist",
         [](SessionOutputsTest& t, const std::string&) {
             EXPECT_FALSE(fs::exists(t.Path("picture.svg")));
         }},
        {"every output of a session that succeeds is written and the report lists them",
         [](SessionOutputsTest& t, UserSession& session) {
             session.SetOutput(t.Path("out.musicxml"));
             session.SetPartsOutput(t.Path("parts"));
             session.SetPicture(t.Path("picture.svg"));
             session.SetCallLog(t.Path("calls.txt"));
         },
         "",
         [](SessionOutputsTest& t, const std::string& report) {
             for (const char* name : {"out.musicxml", "parts/P1.musicxml", "parts/P2.musicxml",
                                      "picture.svg", "calls.txt"}) {
                 EXPECT_TRUE(fs::is_regular_file(t.Path(name))) << name;
             }
             EXPECT_NE(report.find("part file: " + t.Path("parts") + "/P2.musicxml\n"),
                       std::string::npos)
                 << report;
         }},
    };
    for (const OutputCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            fs::remove_all(entry.path());
        }
        Write("score.musicxml", scoreText);
        UserSession session(Path("score.musicxml"), CALVEX_PLUGIN_MODULE);
        session.SetLinkedParts(true);
        c.prepare(*this, session);
        std::string report;
        std::string error;
        const bool ran = session.Run(report, error);
        EXPECT_EQ(ran, std::string(c.refusal).empty()) << error;
        EXPECT_NE(error.find(c.refusal), std::string::npos) << error;
        c.check(*this, report);
    }
}

TEST_F(SessionOutputsTest, APictureTooLargeForItsFormatIsRefusedBeforeAnythingIsWritten) {
    Write("tall.json", OrchestraScore::Json(2, 6000));
    UserSession session(Path("tall.json"), CALVEX_PLUGIN_MODULE);
    session.SetOutput(Path("out.json"));
    session.SetPicture(Path("tall.png"));
    std::string report;
    std::string error;
    EXPECT_FALSE(session.Run(report, error));
    EXPECT_NE(error.find("too large for PNG"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(Path("out.json")));
    EXPECT_EQ(report, "") << "the session did not start";
}

// Part IDs that give one file name, in letter case only or as an empty name, each get a file of
// their own, named the same way on every run, and the report names them.
TEST_F(SessionOutputsTest, PartFilesHaveNamesOfTheirOwn) {
    Write("score.musicxml",
          ScoreWithParts({"P 1", "P_1", "P/1", "Vi\xC3\xB6", "Vi\xC3\xA4", "vI__", "", ".hidden"}));
    UserSession session(Path("score.musicxml"), CALVEX_PLUGIN_MODULE);
    session.SetLinkedParts(true);
    session.SetPartsOutput(Path("parts"));
    std::string report;
    std::string error;
    ASSERT_TRUE(session.Run(report, error)) << error;
    const std::vector<std::string> names = {"P_1.musicxml",    "P_1-2.musicxml",  "P_1-3.musicxml",
                                            "Vi__.musicxml",   "Vi__-2.musicxml", "vI__-3.musicxml",
                                            "part-7.musicxml", "_hidden.musicxml"};
    std::string listed;
    for (const std::string& name : names) {
        EXPECT_TRUE(fs::is_regular_file(folder / "parts" / name)) << name;
        listed += "part file: " + Path("parts") + "/" + name + "\n";
    }
    EXPECT_NE(report.find(listed), std::string::npos) << report;
}

} // namespace
