#include "host/formats/json/ScoreFile.h"
#include "host/files/ScoreError.h"
#include "host/model/HostRecords.h"
#include "hostinterface/RecordBytes.h"
#include "support/HostFixture.h"
#include "tests/support/SeededDraw.h"
#include "tests/support/TemporaryFolder.h"

#include <filesystem>
#include <string>

namespace {

constexpr std::uint32_t kMeasureTag = HostRecords::Measure::kTag;
constexpr std::uint32_t kSystemTag = HostRecords::System::kTag;
constexpr std::uint32_t kRestTag = HostRecords::Rest::kTag;
constexpr std::size_t kSystemNext = HostRecords::System::kNext;

const char* kSmallScore = R"({
  "hostVersion": "0x12000000",
  "staves": [{"id": 1, "defaultClef": 3}, {"id": 2}],
  "measures": [{"meter": {"beats": 6, "beatValue": 8}}, {}, {"meter": {"beats": 2, "beatValue": 2}}],
  "parts": [
    {"id": 0, "widths": [300, 310, 320], "systems": [{"first": 1, "next": 4, "scaling": 9000}],
     "multimeasureRests": [{"first": 2, "next": 4, "width": 250}]},
    {"id": 3, "widths": [200, 210, 220]}
  ],
  "currentPart": 3,
  "preferences": {"musicSpacing": {"spacingRatio": 1.5}}
})";

class ScoreFileTest : public HostFixture {
protected:
    std::int16_t Word(RecordStore::Found record, std::size_t offset) {
        return record ? RecordBytes::Read<std::int16_t>(record->data(), offset) : -1;
    }
};

TEST_F(ScoreFileTest, BuildsTheDocumentTheFileDescribes) {
    ScoreFile::Apply(kSmallScore, host);
    EXPECT_EQ(host.Version(), 0x12000000u);
    EXPECT_EQ(host.Layout().Duration(1), 3072);
    EXPECT_EQ(host.Layout().Duration(2), 3072);
    EXPECT_EQ(host.Layout().Duration(3), 4096);
    RecordStore& score = host.Document().LayoutOf(0);
    RecordStore& part = host.Document().LayoutOf(3);
    EXPECT_EQ(Word(score.Find(kMeasureTag, 2, 0, 0), 0), 310);
    EXPECT_EQ(score.Find(kMeasureTag, 2, 0, 0)->size(), 30u);
    EXPECT_EQ(Word(part.Find(kMeasureTag, 3, 0, 0), 0), 220);
    EXPECT_EQ(Word(score.Find(kSystemTag, 1, 0, 0), kSystemNext), 4);
    EXPECT_EQ(Word(score.Find(kRestTag, 2, 0, 0), 0), 250);
    EXPECT_EQ(part.Find(kRestTag, 2, 0, 0), nullptr);
    EXPECT_EQ(host.Document().CurrentPart(), 3);
    // A spacing ratio of 1.5 is 15000 in the low word of its two halves.
    EXPECT_EQ(host.Document().ComponentAt("94", 0xFFFE, 1)[5], 15000);
    EXPECT_EQ(host.Document().ComponentAt("94", 0xFFFE, 2)[0], 0);
}

TEST_F(ScoreFileTest, MeasuresKeepTheScoresNumbersAndPartsTheirNames) {
    ScoreFile::Apply(R"({"staves": [{"id": 1}],
        "measures": [{"number": "0"}, {"number": 1}, {}, {"number": "12a"}],
        "parts": [{"id": 0, "widths": [1, 1, 1, 1]},
                  {"id": 2, "name": "Violoncello", "widths": [1, 1, 1, 1]},
                  {"id": 3, "widths": [1, 1, 1, 1]}]})",
                     host);
    const ScoreTerms& terms = host.Terms();
    EXPECT_EQ(terms.Bars(1, 2), "bars 0\u20131");
    EXPECT_EQ(terms.Bar(3), "3") << "a measure without a number keeps its place";
    EXPECT_EQ(terms.Bar(4), "12a");
    EXPECT_EQ(terms.Part(0), "Score");
    EXPECT_EQ(terms.Part(2), "Violoncello");
    EXPECT_EQ(terms.Part(3), "Part 3");
    host.Reset();
    ScoreFile::Apply(kSmallScore, host);
    EXPECT_EQ(host.Terms().Bars(1, 3), "bars 1\u20133") << "without numbers, the host's";
}

struct BadScore {
    std::string json;
    const char* message;
};

// A list of the element given count times, as JSON.
std::string Repeated(const std::string& element, std::size_t count) {
    std::string list = "[";
    for (std::size_t i = 0; i < count; ++i) {
        list += (i ? ", " : "") + element;
    }
    return list + "]";
}

// One staff (and, when given, more staves), measures measures, the score with widths of 1 and
// what follows; text after the parts goes into the score object.
std::string Score(std::size_t measures, const std::string& part = "",
                  const std::string& rest = "") {
    return R"({"staves": [{"id": 1}, {"id": 2}], "measures": )" + Repeated("{}", measures) +
           R"(, "parts": [{"id": 0, "widths": )" + Repeated("1", measures) + part + "}]" + rest +
           "}";
}

TEST_F(ScoreFileTest, MalformedFilesAreRefusedNamingThePlace) {
    const std::string part = R"("parts": [{"id": 0, "widths": [300, 300]}])";
    const std::string staves = R"("staves": [{"id": 1}], "measures": [{}, {}])";
    const BadScore cases[] = {
        {"{", "not valid JSON at line 1, column 1: syntax error"},
        {R"({"staves": [{"id": 1}], "measures": [{"number": 1.5}]})",
         "measures[0].number: expected a text"},
        {("{" + staves + R"(, "parts": [{"id": 0, "name": 7, "widths": [300, 300]}]})"),
         "parts[0].name: expected a text"},
        {"[1, 2]", "the score: expected an object"},
        {R"({"measures": [{}]})", "the score: missing \"staves\""},
        {R"({"staves": [{"id": 0}], "measures": [{}]})",
         "staves[0].id: expected an integer from 1"},
        {R"({"staves": [{"id": 1}], "measures": [{"meter": {"beats": 3, "beatValue": 6}}]})",
         "measures[0].meter.beatValue: expected a power of two"},
        {(R"({"staves": [{"id": 1}], "measures": [{}, {}], "parts": [{"id": 0, "widths": [300]}]})"),
         "parts[0].widths: expected a width for each of the 2 measures"},
        {("{" + staves + R"(, "parts": [{"id": 0, "widths": [300, "wide"]}]})"),
         "parts[0].widths[1]: expected an integer"},
        {("{" + staves +
          R"(, "parts": [{"id": 0, "widths": [1, 1], "systems": [{"first": 1, "next": 40}]}]})"),
         "parts[0].systems[0].next: expected an integer from 2 to 3, found 40"},
        {("{" + staves + R"(, "parts": [{"id": 4, "widths": [1, 1]}]})"),
         "parts: the score, part 0, is missing"},
        {("{" + staves + ", " + part + R"(, "currentPart": 2})"), "currentPart: no such part"},
        {("{" + staves + ", " + part +
          R"(, "selection": {"firstSlot": 1, "lastSlot": 1, "firstMeasure": 3, "lastMeasure": 3}})"),
         "selection.firstMeasure: expected an integer from 1 to 2, found 3"},
        // Numbers the JSON library cannot hold.
        {"1E444", "not valid JSON at line 1, column 5: number overflow parsing '1E444'"},
        {"{\n\"staves\": [{\"id\": 1}],\n\"measures\": [{}],\n"
         "\"parts\": [{\"id\": 0, \"widths\": [1E444]}]}",
         "not valid JSON at line 4, column 36: number overflow parsing '1E444'"},
        {Score(1, "", R"(, "deep": )" + std::string(100, '[') + std::string(100, ']')),
         "not valid JSON: values nested deeper than 64 levels"},
        // Numbers the host's records cannot hold.
        {Score(32767), "measures: at most 32766 measures, found 32767"},
        {Score(65536), "measures: at most 32766 measures, found 65536"},
        {R"({"staves": [{"id": 1}], "measures": [{}],
             "parts": [{"id": 0, "widths": [1]}, {"id": 32768, "widths": [1]}]})",
         "parts[1].id: expected an integer from 0 to 32767, found 32768"},
        {Score(1, "", R"(, "currentPart": 40000)"),
         "currentPart: expected an integer from 0 to 32767, found 40000"},
        {Score(1, R"(, "systems": )" + Repeated(R"({"first": 0, "next": 0})", 32768)),
         "parts[0].systems: at most 32767 systems, found 32768"},
        {Score(1, "",
               R"(, "frameHolds": [{"staff": 1, "measure": 1, "clefChanges": )" +
                   Repeated("0", 32768) + "}]"),
         "frameHolds[0].clefChanges: at most 32767 clef changes, found 32768"},
        {Score(1, "", R"(, "frameHolds": [{"staff": 1, "measure": 1,
                          "clefPercent": 18446744073709551615}])"),
         "frameHolds[0].clefPercent: expected an integer from -32768 to 32767, found "
         "18446744073709551615"},
        // Values of the wrong type where an object belongs.
        {Score(1, "", R"(, "preferences": 5)"), "preferences: expected an object"},
        {Score(1, "", R"(, "preferences": {"musicSpacing": [72, 1000]})"),
         "preferences.musicSpacing: expected an object"},
        {Score(1, "", R"(, "layers": [4])"), "layers: expected an object"},
        {Score(1, "", R"(, "layers": true)"), "layers: expected an object"},
        {R"({"staves": [{"id": 1}], "measures": [5], "parts": [{"id": 0, "widths": [1]}]})",
         "measures[0]: expected an object"},
        // Widths a measure can never have.
        {Score(1, "", R"(, "preferences": {"musicSpacing": {"minimumWidth": -1}})"),
         "preferences.musicSpacing.minimumWidth: expected an integer from 0 to 32767, found -1"},
        {Score(1, "", R"(, "preferences": {"musicSpacing": {"maximumWidth": -500}})"),
         "preferences.musicSpacing.maximumWidth: expected an integer from 0 to 32767, found -500"},
        // Systems out of order or overlapping.
        {Score(6, R"(, "systems": [{"first": 1, "next": 4}, {"first": 3, "next": 7}])"),
         "parts[0].systems[1].first: expected measure 4 or later, after the system before"},
        {Score(6, R"(, "systems": [{"first": 4, "next": 7}, {"first": 1, "next": 4}])"),
         "parts[0].systems[1].first: expected measure 7 or later, after the system before"},
        {Score(6, R"(, "systems": [{"first": 3, "next": 3}])"),
         "parts[0].systems[0].next: expected an integer from 4 to 7, found 3"},
        // Staves listed twice or not at all.
        {R"({"staves": [{"id": 1}, {"id": 2}, {"id": 1}], "measures": [{}],
             "parts": [{"id": 0, "widths": [1]}]})",
         "staves[2].id: staff 1 is listed twice"},
        {Score(1, R"(, "staves": [2, 1, 2])"), "parts[0].staves[2]: staff 2 is listed twice"},
        {Score(1, "", R"(, "entries": [{"staff": 9, "measure": 1, "notes": [1]}])"),
         "entries[0].staff: no staff 9 in the score"},
        {Score(1, "", R"(, "frameHolds": [{"staff": 3, "measure": 1}])"),
         "frameHolds[0].staff: no staff 3 in the score"},
    };
    for (const BadScore& c : cases) {
        host.Reset();
        try {
            ScoreFile::Apply(c.json, host);
            ADD_FAILURE() << "accepted: " << c.json.substr(0, 300);
        } catch (const ScoreError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
                << "message: " << error.what() << "\nexpected: " << c.message;
        }
    }
}

// The largest score the host's records hold: every measure number and the measure after the
// last fit their 16-bit fields.
TEST_F(ScoreFileTest, TheLargestScoreTheRecordsHoldIsLoaded) {
    ScoreFile::Apply(Score(32766, R"(, "systems": [{"first": 1, "next": 32767}])",
                           R"(, "selection": {"firstSlot": 1, "lastSlot": 2,
                               "firstMeasure": 32766, "lastMeasure": 32766})"),
                     host);
    EXPECT_EQ(Word(host.Document().LayoutOf(0).Find(kSystemTag, 1, 0, 0), kSystemNext), 32767);
    EXPECT_EQ(host.Selection().Selected().endMeasure, 32766);
}

// Damaged files (bytes changed, dropped or doubled at random) are either still a score or are
// refused with a ScoreError; nothing else escapes and nothing faults.
TEST_F(ScoreFileTest, DamagedFilesAreLoadedOrRefusedNeverMore) {
    SeededDraw draw(7);
    const std::string original = kSmallScore;
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::string damaged = original;
        for (int change = draw.Between(1, 4); change > 0; --change) {
            const auto at =
                static_cast<std::size_t>(draw.Between(0, static_cast<int>(damaged.size()) - 1));
            switch (draw.Between(0, 2)) {
            case 0:
                damaged[at] = static_cast<char>(draw.Between(32, 126));
                break;
            case 1:
                damaged.erase(at, 1);
                break;
            default:
                damaged.insert(at, 1, damaged[at]);
                break;
            }
        }
        host.Reset();
        try {
            ScoreFile::Apply(damaged, host);
        } catch (const ScoreError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 100) << "the damage should break most files";
}

TEST_F(ScoreFileTest, AFileThatCannotBeReadIsNamed) {
    const TemporaryFolder folder;
    const std::string directory = (folder.Path() / "score.json").string();
    std::filesystem::create_directory(directory);
    const std::pair<std::string, std::string> cases[] = {
        {"/nonexistent/score.json", "/nonexistent/score.json: cannot be read"},
        {directory, directory + ": is a folder, not a score file"},
    };
    for (const auto& [path, message] : cases) {
        std::string error;
        EXPECT_FALSE(ScoreFile::Load(path, host, error));
        EXPECT_EQ(error, message);
    }
}

} // namespace
