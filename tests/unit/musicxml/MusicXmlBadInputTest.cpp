#include "host/ScoreError.h"
#include "host/UserSession.h"
#include "musicxml/MusicXmlFixture.h"

namespace {

class MusicXmlBadInputTest : public MusicXmlFixture {};

struct BadFile {
    const char* name;
    std::string text;
    const char* message; // after the file's path and ": "
};

TEST_F(MusicXmlBadInputTest, IsRefusedNamingTheFilePartAndMeasure) {
    const std::string one = Divisions(1);
    const BadFile cases[] = {
        {"malformed.musicxml", "<score-partwise><part-list>",
         "not well-formed XML at byte 26: Start-end tags mismatch"},
        {"declaration.musicxml", "<?xml version=\"1\".0?><score-partwise/>",
         "not well-formed XML at byte 17: Error parsing start element tag"},
        {"timewise.musicxml", "<score-timewise/>",
         "a timewise score; only partwise MusicXML (<score-partwise>) is read"},
        {"other.xml", "<html/>", "<html> is not a MusicXML score"},
        {"no-divisions.musicxml", Score({Measure(1, Note(4))}),
         "part P1 (Part 1), measure 1: a duration comes before any <divisions>"},
        {"counts.musicxml", Score({Measure(1, one) + Measure(2, ""), Measure(1, one)}),
         "part P2, measure 2: the part has 1 measures where part P1 has 2"},
        {"misfit.musicxml", Score({Measure(1, Divisions(3) + Note(2)) + Measure(2, Note(1))}),
         "part P1 (Part 1), measure 1: duration 2 at 3 divisions to a quarter is no whole "
         "number of host units"},
        {"wide.musicxml", Score({Measure(1, one) + Measure(7, "", " width=\"20000\"")}),
         "part P1 (Part 1), measure 7: width 20000 tenths is 40000 EVPUs, beyond the widest "
         "measure of 32767"},
        {"negative.musicxml", Score({Measure(3, one, " width=\"-5\"")}),
         "part P1 (Part 1), measure 3: width expected a number from 0 to 1000000, found \"-5\""},
        {"staff.musicxml", Score({Measure(1, one + Note(4, "<staff>2</staff>"))}),
         "part P1 (Part 1), measure 1: <staff> expected a whole number from 1 to 1, found \"2\""},
        {"backup.musicxml", Score({Measure(1, one + "<backup><duration>1</duration></backup>")}),
         "part P1 (Part 1), measure 1: <backup> goes back before the start of the measure"},
        {"beat.musicxml",
         Score({Measure(2, "<attributes><divisions>1</divisions><time><beats>3</beats>"
                           "<beat-type>10</beat-type></time></attributes>")}),
         "part P1 (Part 1), measure 2: <beat-type> 10 is not a note value"},
        {"orphan.musicxml",
         "<score-partwise><part-list><score-part id=\"P1\"/></part-list></score-partwise>",
         "part P1: the part list names it but no <part> holds its music"},
        {"unreadable.mxl", "PK\x03\x04 this is no archive",
         "not a readable compressed MusicXML file (Not a zip archive)"},
        {"utf16.musicxml", std::string("\xFF\xFE<\0s\0", 6),
         "a UTF-16 file; MusicXML is read as UTF-8"},
    };
    for (const BadFile& test : cases) {
        const std::string path = Write(test.name, test.text);
        try {
            Open(path);
            ADD_FAILURE() << test.name << " was read";
        } catch (const ScoreError& error) {
            EXPECT_EQ(std::string(error.what()), path + ": " + test.message);
        }
    }
}

TEST_F(MusicXmlBadInputTest, AFailedSessionWritesNothing) {
    const std::string score = Write("bad.musicxml", Score({Measure(1, Note(4))}));
    const std::string output = (folder / "out.musicxml").string();
    const std::string parts = (folder / "parts").string();
    UserSession session(score, "no plug-in needed: the score fails first");
    session.SetLinkedParts(true);
    session.SetOutput(output);
    session.SetPartsOutput(parts);
    std::string report;
    std::string error;
    EXPECT_FALSE(session.Run(report, error));
    EXPECT_NE(error.find("a duration comes before any <divisions>"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(parts));
}

TEST_F(MusicXmlBadInputTest, LinkedPartsAndMusicXmlOutputNeedAMusicXmlScore) {
    const std::string json = Write("score.json", R"({"staves": [{"id": 1}], "measures": [{}],
                          "parts": [{"id": 0, "widths": [300]}]})");
    EXPECT_THROW(Open(json, true), ScoreError);
    const std::unique_ptr<ScoreSource> source = Open(json);
    EXPECT_THROW(source->Save((folder / "out.musicxml").string(), host.Document()), ScoreError);
    EXPECT_THROW(source->SaveParts((folder / "parts").string(), host.Document()), ScoreError);
    EXPECT_FALSE(std::filesystem::exists(folder / "out.musicxml"));
}

} // namespace
