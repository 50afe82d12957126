#include "host/files/ScoreError.h"
#include "host/files/Utf8.h"
#include "host/formats/OrchestraScore.h"
#include "host/formats/musicxml/MusicXmlFixture.h"
#include "host/formats/musicxml/MusicXmlWriter.h"
#include "host/model/HostRecords.h"
#include "hostinterface/RecordBytes.h"

#include <zip.h>

#include <algorithm>

namespace {

constexpr std::uint32_t kMeasureTag = HostRecords::Measure::kTag;
constexpr std::uint32_t kSystemTag = HostRecords::System::kTag;

// Single quotes, CR LF line ends, an entity, a comment, a processing instruction, a measure
// without width and one written as an empty element.
const char* kQuirky =
    "<?xml version='1.0' encoding='UTF-8'?>\r\n<!-- kept as it is -->\r\n"
    "<score-partwise version='3.0'><defaults><scaling><millimeters>7.0556</millimeters>"
    "<tenths>40</tenths></scaling></defaults>\r\n"
    "<part-list><score-part id='P1'><part-name>A &amp; B</part-name></score-part></part-list>\r\n"
    "<part id='P1'><?editor keep?>\r\n"
    "<measure number='1' "
    "width='100'><attributes><divisions>1</divisions></attributes></measure>\r\n"
    "<measure number='2'><print new-page='no'/></measure>\r\n"
    "<measure number=\"3\" width = \"100\" ><print new-system=\"yes\"/></measure>\r\n"
    "<measure number='4'/>\r\n"
    "</part></score-partwise>\r\n";

class MusicXmlWriteTest : public MusicXmlFixture {
protected:
    std::string SourcePath(const char* name) const {
        return std::string(CALVEX_SOURCE_DIR) + "/examples/" + name;
    }

    // A compressed copy of the text with a container that names it.
    std::string WriteCompressed(const std::string& name, const std::string& text) const {
        const std::string path = (folder / name).string();
        int error = 0;
        zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        const std::string container =
            "<?xml version=\"1.0\"?><container><rootfiles><rootfile full-path=\"score/s.musicxml\""
            "/></rootfiles></container>";
        for (const auto& [entry, bytes] :
             {std::pair<const char*, const std::string*>{"META-INF/container.xml", &container},
              {"score/s.musicxml", &text}}) {
            zip_source_t* source = zip_source_buffer(archive, bytes->data(), bytes->size(), 0);
            zip_file_add(archive, entry, source, ZIP_FL_OVERWRITE);
        }
        zip_close(archive);
        return path;
    }

    void SetWidth(std::uint16_t measure, std::int16_t width) {
        RecordStore& layout = host.Document().LayoutOf(0);
        const RecordKey key{kMeasureTag, {measure, 0, 0}};
        RecordStore::Bytes bytes = *layout.Find(key);
        RecordBytes::Write(bytes.data(), HostRecords::Measure::kWidth, width);
        layout.Replace(key, bytes);
    }

    void SetSystems(const std::vector<std::pair<std::int16_t, std::int16_t>>& systems) {
        RecordStore& layout = host.Document().LayoutOf(0);
        const RecordStore::Bytes blank = *layout.Find(kSystemTag, 1, 0, 0);
        for (std::uint16_t item = 1; layout.Erase({kSystemTag, {item, 0, 0}}); ++item) {
        }
        std::uint16_t item = 0;
        for (const auto& [first, next] : systems) {
            RecordStore::Bytes bytes = blank;
            RecordBytes::Write(bytes.data(), HostRecords::System::kFirst, first);
            RecordBytes::Write(bytes.data(), HostRecords::System::kNext, next);
            layout.Put(kSystemTag, ++item, 0, 0, bytes);
        }
    }
};

TEST_F(MusicXmlWriteTest, WithoutAPassTheScoreIsWrittenBackByteForByte) {
    const std::string quirky = Write("quirky.musicxml", kQuirky);
    const std::string chamber = SourcePath("chamber.musicxml");
    for (const std::string& path : {chamber, SourcePath("duo.musicxml"), quirky}) {
        for (bool linkedParts : {false, true}) {
            const std::string output = (folder / "out.musicxml").string();
            Open(path, linkedParts)->Save(output, host.Document());
            EXPECT_EQ(Read(output), Read(path)) << path;
        }
    }
    const std::string compressed = WriteCompressed("chamber.mxl", Read(chamber));
    Open(compressed)->Save((folder / "from-mxl.xml").string(), host.Document());
    EXPECT_EQ(Read((folder / "from-mxl.xml").string()), Read(chamber));
}

TEST_F(MusicXmlWriteTest, ChangedWidthsAndSystemBreaksAreEditedInPlace) {
    const std::unique_ptr<ScoreSource> source = Open(Write("quirky.musicxml", kQuirky));
    ASSERT_EQ(Layout().widths, (std::vector<std::int16_t>{200, 90, 200, 90}));
    SetWidth(2, 150);
    SetWidth(4, 91);
    SetSystems({{1, 2}, {2, 4}, {4, 5}});
    const std::string output = (folder / "out.musicxml").string();
    source->Save(output, host.Document());
    std::string expected = kQuirky;
    const auto replace = [&](const std::string& from, const std::string& to) {
        expected.replace(expected.find(from), from.size(), to);
    };
    replace("<measure number='2'><print new-page='no'/>",
            "<measure number='2' width=\"75\"><print new-page='no' new-system=\"yes\"/>");
    replace("<print new-system=\"yes\"/>", "<print new-system=\"no\"/>");
    replace("<measure number='4'/>",
            "<measure number='4' width=\"45.5\"><print new-system=\"yes\"/></measure>");
    EXPECT_EQ(Read(output), expected);
    // Read back, the file gives the document's layout.
    const PartLayout written = Layout();
    Open(output);
    EXPECT_EQ(Layout().widths, written.widths);
    EXPECT_EQ(Layout().SystemStarts(), written.SystemStarts());
}

TEST_F(MusicXmlWriteTest, PartFilesCarryEachPartsOwnLayout) {
    const std::string chamber = SourcePath("chamber.musicxml");
    const std::unique_ptr<ScoreSource> source = Open(chamber, true);
    std::vector<PartLayout> parts;
    for (std::int16_t part = 1; part <= 3; ++part) {
        parts.push_back(Layout(part));
    }
    source->SaveParts((folder / "parts").string(), host.Document());
    const char* ids[] = {"P1", "P2", "P3"};
    for (std::size_t index = 0; index < 3; ++index) {
        const std::string path =
            (folder / "parts" / (std::string(ids[index]) + ".musicxml")).string();
        const std::string text = Read(path);
        EXPECT_EQ(text.find("<score-part "), text.rfind("<score-part ")) << path;
        // The part's music keeps the source's lines.
        const auto lines = [&](const std::string& in) {
            const std::size_t start = in.find(std::string("<part id=\"") + ids[index] + '"');
            return start == std::string::npos
                       ? -1
                       : std::count(in.begin() + static_cast<std::ptrdiff_t>(start),
                                    in.begin() +
                                        static_cast<std::ptrdiff_t>(in.find("</part>", start)),
                                    '\n');
        };
        EXPECT_EQ(lines(text), lines(Read(chamber))) << path;
        EXPECT_GT(lines(text), 20) << path;
        Open(path);
        const PartLayout& part = parts[index];
        std::vector<std::int16_t> widths = part.widths;
        for (const PartLayout::Rest& rest : part.rests) {
            widths[static_cast<std::size_t>(rest.first - 1)] = rest.width;
        }
        EXPECT_EQ(Layout().widths, widths) << path;
        EXPECT_EQ(Layout().SystemStarts(), part.SystemStarts()) << path;
        ASSERT_EQ(Layout().rests.size(), part.rests.size()) << path;
        for (std::size_t rest = 0; rest < part.rests.size(); ++rest) {
            EXPECT_EQ(Layout().rests[rest].first, part.rests[rest].first);
            EXPECT_EQ(Layout().rests[rest].next, part.rests[rest].next);
        }
    }
    EXPECT_FALSE(parts[0].rests.empty());
}

// A part list with groups, a comment, parts on one line and parts each on its own line: a part's
// file keeps what lies around the parts, and its own entry and music each with the line before
// it, but nothing of the other parts or the groups, nor the lines before them.
TEST_F(MusicXmlWriteTest, PartFilesKeepOnlyTheirPartWithItsLines) {
    const std::string music = Divisions(1) + Note(4);
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE score-partwise>\n"
        "<score-partwise version=\"4.0\">\n  <work>W</work>\n  <part-list>\n"
        "    <part-group type=\"start\" number=\"1\"/>\n"
        "    <score-part id=\"P1\"><part-name>A</part-name></score-part>\n"
        "    <!-- strings -->\n"
        "    <score-part id=\"P2\"><part-name>B</part-name></score-part>"
        "<score-part id=\"P3\"><part-name>C</part-name></score-part>\n"
        "    <part-group type=\"stop\" number=\"1\"/>\n  </part-list>\n"
        "  <part id=\"P1\">\n    <measure number=\"1\">" +
        music + "</measure>\n  </part>\n  <part id=\"P2\"><measure number=\"1\">" + music +
        "</measure></part><part id=\"P3\"><measure number=\"1\">" + music +
        "</measure></part>\n  <!-- end -->\n</score-partwise>\n";
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!DOCTYPE score-partwise>"
                             "<score-partwise version=\"4.0\">\n  <work>W</work>\n  <part-list>";
    const std::string measure =
        "<measure number=\"1\" width=\"50\"><print new-system=\"yes\"/>" + music + "</measure>";
    const std::string tail = "\n  <!-- end -->\n</score-partwise>";
    const std::pair<const char*, std::string> files[] = {
        {"P1", head +
                   "\n    <score-part id=\"P1\"><part-name>A</part-name></score-part>\n"
                   "    <!-- strings -->\n  </part-list>\n  <part id=\"P1\">\n    " +
                   measure + "\n  </part>" + tail},
        {"P2", head +
                   "\n    <!-- strings -->\n"
                   "    <score-part id=\"P2\"><part-name>B</part-name></score-part>\n"
                   "  </part-list>\n  <part id=\"P2\">" +
                   measure + "</part>" + tail},
        {"P3", head +
                   "\n    <!-- strings --><score-part id=\"P3\"><part-name>C</part-name>"
                   "</score-part>\n  </part-list><part id=\"P3\">" +
                   measure + "</part>" + tail},
    };
    const std::unique_ptr<ScoreSource> source = Open(Write("grouped.musicxml", text), true);
    source->SaveParts((folder / "parts").string(), host.Document());
    for (const auto& [id, expected] : files) {
        EXPECT_EQ(Read((folder / "parts" / (std::string(id) + ".musicxml")).string()), expected)
            << id;
    }
    // A second file of one part would have to go without its music.
    const std::vector<PartLayout> layouts(2, Layout(2));
    EXPECT_THROW(MusicXmlWriter::Parts(text, {"P2", "P2"}, MusicXmlScaling(7.0556, 40), layouts),
                 ScoreError);
}

// UTF-8 text in an encoding, after a byte-order mark when one is given.
std::string Encoded(const std::string& utf8, const std::string& encoding, const std::string& mark) {
    if (encoding == "UTF-8") {
        return mark + utf8;
    }
    std::string bytes = mark;
    const std::u16string units = Utf8::ToUtf16(utf8).value();
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += encoding == "UTF-16BE"   ? std::string{high, low}
                 : encoding == "UTF-16LE" ? std::string{low, high}
                                          : std::string{low};
    }
    return bytes;
}

// Each file read in its encoding, and the score and part files written back in it: what the
// same score in UTF-8 gives, encoded.
TEST_F(MusicXmlWriteTest, FilesAreReadAndWrittenInTheSourcesEncoding) {
    struct Case {
        const char* declared;
        const char* encoding;
        std::string mark;
    };
    const Case cases[] = {
        {"UTF-8", "UTF-8", "\xEF\xBB\xBF"}, {"UTF-16", "UTF-16LE", "\xFF\xFE"},
        {"UTF-16", "UTF-16BE", "\xFE\xFF"}, {"UTF-16", "UTF-16LE", ""},
        {"ISO-8859-1", "ISO-8859-1", ""},
    };
    const auto written = [&](const std::string& name, const std::string& bytes) {
        const std::unique_ptr<ScoreSource> source = Open(Write(name, bytes), true);
        EXPECT_EQ(Layout().widths, (std::vector<std::int16_t>{200, 90, 200, 90})) << name;
        SetWidth(2, 150);
        source->Save((folder / ("out-" + name)).string(), host.Document());
        source->SaveParts((folder / ("parts-" + name)).string(), host.Document());
        return std::pair{Read((folder / ("out-" + name)).string()),
                         Read((folder / ("parts-" + name) / "P1.musicxml").string())};
    };
    for (const Case& test : cases) {
        const std::string name = std::string(test.encoding) + (test.mark.empty() ? "" : " BOM");
        std::string score = kQuirky;
        score.replace(score.find("UTF-8"), 5, test.declared);
        score.replace(score.find("A &amp; B"), 9, "Fl\u00fbte \u00e0 bec");
        const auto [utf8Score, utf8Part] = written("reference.musicxml", score);
        const auto [encodedScore, encodedPart] =
            written("encoded.musicxml", Encoded(score, test.encoding, test.mark));
        EXPECT_EQ(encodedScore, Encoded(utf8Score, test.encoding, test.mark)) << name;
        EXPECT_EQ(encodedPart, Encoded(utf8Part, test.encoding, test.mark)) << name;
        Open((folder / "out-encoded.musicxml").string());
        EXPECT_EQ(Layout().widths, (std::vector<std::int16_t>{200, 150, 200, 90})) << name;
    }
}

// The document built from the MusicXML and the one the JSON reader builds from its conversion
// are the same, record for record.
TEST_F(MusicXmlWriteTest, JsonOutputHoldsTheSameDocument) {
    const std::string orchestra = Write("orchestra.musicxml", OrchestraScore::MusicXml(6, 40));
    for (const std::string& path :
         {SourcePath("chamber.musicxml"), SourcePath("duo.musicxml"), orchestra}) {
        for (const bool linkedParts : {false, true}) {
            const std::unique_ptr<ScoreSource> source = Open(path, linkedParts);
            SetWidth(3, 333);
            const HostDocument before = host.Document();
            const std::string output = (folder / "converted.json").string();
            source->Save(output, host.Document());
            Open(output);
            EXPECT_TRUE(host.Document() == before) << path << (linkedParts ? " with parts" : "");
        }
    }
}

} // namespace
