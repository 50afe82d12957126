#include "host/files/ScoreError.h"
#include "host/formats/musicxml/MusicXmlFixture.h"
#include "host/session/UserSession.h"
#include "tests/support/TemporaryFolder.h"

#include <sys/resource.h>
#include <zip.h>

#include <functional>

namespace {

class MusicXmlBadInputTest : public MusicXmlFixture {
protected:
    // A meter of whole notes written as a sum of so many terms of 64.
    static std::string MeterOfTerms(int terms) {
        std::string beats = "64";
        for (int term = 1; term < terms; ++term) {
            beats += "+64";
        }
        return Divisions(1, "<time><beats>" + beats + "</beats><beat-type>1</beat-type></time>");
    }

    // The second <part> takes the first one's ID.
    static std::string SecondPartOfOneId(std::string text) {
        const std::string second = "<part id=\"P2\"";
        return text.replace(text.rfind(second), second.size(), "<part id=\"P1\"");
    }

    static std::string Measures(int count) {
        std::string measures = Measure(1, Divisions(1));
        for (int number = 2; number <= count; ++number) {
            measures += Measure(number, "");
        }
        return measures;
    }
};

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
        {"endless.musicxml",
         Score({Measure(1, Divisions(1) + Note(700'000) + Note(700'000)) + Measure(2, "")}),
         "part P1 (Part 1), measure 1: the measure is longer than any meter"},
        {"divisions.musicxml",
         Score({Measure(1, Divisions(999983) + Note(1) + Divisions(999979) + Note(1) +
                               Divisions(999961) + Note(1))}),
         "part P1 (Part 1), measure 1: durations at these divisions cannot be added up exactly"},
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
        {"meter-sum.musicxml", Score({Measure(1, MeterOfTerms(16385))}),
         "part P1 (Part 1), measure 1: <time> sums to more than any meter holds"},
        {"meter-sum-negative.musicxml", Score({Measure(1, MeterOfTerms(9000))}),
         "part P1 (Part 1), measure 1: <time> sums to more than any meter holds"},
        {"twice.musicxml", SecondPartOfOneId(Score({Measure(1, one), Measure(1, one)})),
         "part P1: a second <part> has this ID"},
        {"scaling.musicxml",
         Score({Measure(1, one)}, "<defaults><scaling><millimeters>0.01</millimeters>"
                                  "<tenths>10000</tenths></scaling></defaults>"),
         "<defaults>: <scaling> of 0.01 mm to 10000 tenths writes the widest measure as "
         "2889867361 tenths, beyond the widest width of 1000000 tenths that is read"},
        {"measures.musicxml", Score({Measures(32767)}),
         "the score has 32767 measures, 1 staves and 1 parts; the host holds at most 32766 "
         "measures and 32767 staves and parts"},
        {"utf32.musicxml", std::string("\xFF\xFE\0\0<\0\0\0", 8),
         "a UTF-32 file; MusicXML is read in UTF-8, UTF-16 or ISO-8859-1"},
        {"cut.musicxml", std::string("\xFF\xFE<\0s\0/", 7),
         "a UTF-16 file that ends in half a character"},
        {"cp1252.musicxml", "<?xml version=\"1.0\" encoding=\"windows-1252\"?><score-partwise/>",
         "the file is declared in encoding \"windows-1252\", which is not read; MusicXML is "
         "read in UTF-8, UTF-16 or ISO-8859-1"},
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

// An archive of one entry, score.musicxml, deflated or stored as it is; `damage` may change the
// archive's bytes before it is written.
std::string WriteArchive(const std::filesystem::path& path, const std::string& text, bool stored,
                         const std::function<void(std::string&)>& damage = {}) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
    const zip_int64_t index = zip_file_add(archive, "score.musicxml", source, 0);
    if (stored) {
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    zip_close(archive);
    if (damage) {
        std::string bytes = TemporaryFolder::ReadBytes(path);
        damage(bytes);
        TemporaryFolder::WriteBytes(path, bytes);
    }
    return path.string();
}

// The entry's size as both of its headers declare it.
void DeclareSize(std::string& bytes, std::uint32_t size) {
    const std::pair<const char*, std::size_t> headers[] = {{"PK\x03\x04", 22}, {"PK\x01\x02", 24}};
    for (const auto& [signature, offset] : headers) {
        const std::size_t at = bytes.find(signature) + offset;
        for (int byte = 0; byte < 4; ++byte) {
            bytes[at + static_cast<std::size_t>(byte)] = static_cast<char>(size >> (8 * byte));
        }
    }
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST_F(MusicXmlBadInputTest, ArchivesAreUnpackedWithinLimitsAndChecked) {
    const std::string score = Score({Measure(1, Divisions(1))});
    const std::string padded = "<!--" + std::string(20 << 20, ' ') + "-->" + score;
    const long peakBefore = PeakKilobytes();
    const BadFile cases[] = {
        {"amplifying.mxl", WriteArchive(folder / "amplifying.mxl", padded, false),
         "the compressed entry score.musicxml unpacks to more than 16 MiB, more than a score in "
         "an archive of this size holds"},
        {"damaged.mxl",
         WriteArchive(folder / "damaged.mxl", score, true,
                      [](std::string& bytes) { bytes[bytes.find("Part 1") + 5] = '2'; }),
         "the compressed entry score.musicxml is damaged (CRC error)"},
        {"claims.mxl",
         WriteArchive(folder / "claims.mxl", score, false,
                      [](std::string& bytes) { DeclareSize(bytes, 900u << 20); }),
         "the compressed entry score.musicxml is damaged ("},
    };
    for (const BadFile& test : cases) {
        SCOPED_TRACE(test.name);
        try {
            Open(test.text);
            ADD_FAILURE() << "was read";
        } catch (const ScoreError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(test.text + ": " + test.message, 0), 0u)
                << error.what();
        }
    }
    EXPECT_LT(PeakKilobytes() - peakBefore, 256 * 1024) << "no declared size is allocated";
    const std::string fine = "<!--" + std::string(10 << 20, ' ') + "-->" + score;
    EXPECT_NO_THROW(Open(WriteArchive(folder / "fine.mxl", fine, false)))
        << "a score of 10 MiB is read from however small an archive";
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
