// The score writer streams a file one list element at a time; what it writes must be what the
// JSON library writes for the whole document at once, and a write that fails leaves the old file.
#include "host/formats/json/ScoreFileWriter.h"

#include "host/files/ScoreError.h"
#include "host/formats/json/ScoreFile.h"
#include "host/formats/json/ScoreJson.h"
#include "support/HostFixture.h"
#include "tests/support/TemporaryFolder.h"

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>

namespace {

// The parts are written in the form the writer gives them (every field of a system and a rest),
// so the document loaded from each source writes them back as they are.
constexpr const char* kPart = R"({"id": 0, "widths": [300, 310],
    "systems": [{"first": 1, "next": 3, "flags": 0, "scaling": 10000}],
    "multimeasureRests": []})";

std::string Score(const std::string& more) {
    return R"({"staves": [{"id": 1}], "measures": [{}, {}], "parts": [)" + std::string(kPart) +
           "]" + more + "}";
}

class ScoreFileWriterTest : public HostFixture {
protected:
    std::string Written(const ScoreJson& source) {
        std::ostringstream out;
        ScoreFileWriter::Json(source, host.Document(), out);
        return out.str();
    }
};

TEST_F(ScoreFileWriterTest, WritesWhatTheLibraryWritesForTheWholeDocument) {
    const struct {
        const char* what;
        std::string source;
    } cases[] = {
        {"empty lists at the top and in a part",
         R"({"staves": [{"id": 1}], "measures": [{}], "entries": [], "frameHolds": [],
             "parts": [{"id": 0, "widths": [200], "systems": [], "multimeasureRests": []}]})"},
        {"unknown keys at the top, in elements and in a part, nested several levels",
         R"({"zeta": {"b": [1, {"c": {"d": [[], {}]}}], "a": null}, "alpha": [],
             "staves": [{"id": 1, "name": {"full": "Flute", "short": ["Fl.", 1]}}],
             "measures": [{"meter": {"beats": 3, "beatValue": 4}, "mark": {"x": [true, false]}},
                          {"label": "B"}],
             "parts": [{"id": 0, "widths": [300, 310], "title": {"text": "Score", "pages": [1, 2]},
                        "systems": [{"first": 1, "next": 3, "flags": 7, "scaling": 9000,
                                     "staves": [1]}],
                        "multimeasureRests": [{"first": 1, "next": 3, "width": 250,
                                               "countLimit": 4, "restAdjust": -18,
                                               "flags": 65535}]}]})"},
        {"lists of single values and of lists, at the top",
         Score(R"(, "tags": [1, "two", null, true, 2.5, -7], "grid": [[1, 2], [], [[3]]])")},
        {"unicode and escapes in strings, in keys too",
         Score(R"(, "title": "Gr\u00fc\u00dfe \u65e5\u672c \ud83c\udfb5 \"q\" \\ \/ \n\t\u0001",
                  "composer": "Dvořák — 𝄞", "k\u00e9y": {"\u00e9": "\u007f"})")},
        {"numbers as the library reads and writes them",
         Score(R"(, "numbers": {"float": 1.5, "exponent": 1e3, "tiny": 1e-7, "negativeZero": -0.0,
                  "huge": 18446744073709551615, "lowest": -9223372036854775808,
                  "tenth": 0.1, "long": 3.141592653589793238})")},
        {"keys out of order and a key given twice, the last one counting",
         Score(R"(, "b": 1, "a": 2, "entries": [{"staff": 1, "measure": 1, "notes": [1]}],
                  "entries": [], "c": [1], "c": {"now": "an object"})")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host.Reset();
        const ScoreJson source(c.source);
        ScoreFile::ApplyParsed(source, host);
        EXPECT_EQ(Written(source), nlohmann::json::parse(c.source).dump(2) + "\n");
    }
}

TEST_F(ScoreFileWriterTest, AWriteThatFailsLeavesTheOldFileAndNoPartialOne) {
    const TemporaryFolder folder;
    const std::filesystem::path file = folder.Path() / "score.json";
    const std::string old = "the old file\n";
    TemporaryFolder::WriteBytes(file, old);
    const std::string text = Score("");
    const ScoreJson source(text);
    ScoreFile::ApplyParsed(source, host);

    // The parts come after the measures: the file is half written when the bad part is met.
    const ScoreJson unwritable(
        R"({"staves": [{"id": 1}], "measures": [{}, {}], "parts": [{"id": "not a number"}]})");
    EXPECT_ANY_THROW(ScoreFileWriter::Write(file.string(), unwritable, host.Document()));
    EXPECT_EQ(TemporaryFolder::ReadBytes(file), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no partial file is left beside it";

    EXPECT_THROW(ScoreFileWriter::Write((folder.Path() / "missing" / "score.json").string(), source,
                                        host.Document()),
                 ScoreError);

    ScoreFileWriter::Write(file.string(), source, host.Document());
    EXPECT_EQ(TemporaryFolder::ReadBytes(file), nlohmann::json::parse(text).dump(2) + "\n");
}

} // namespace
