#include "host/ScoreFile.h"
#include "host/ScoreError.h"
#include "hostinterface/RecordBytes.h"
#include "support/HostFixture.h"

#include <random>
#include <string>

namespace {

constexpr std::uint32_t kMeasureTag = 0x534F4D53;
constexpr std::uint32_t kSystemTag = 0x534F5353;
constexpr std::uint32_t kRestTag = 0x4F025849;

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
    std::int16_t Word(const RecordStore::Bytes* record, std::size_t offset) {
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
    EXPECT_EQ(Word(score.Find(kSystemTag, 1, 0, 0), 12), 4);
    EXPECT_EQ(Word(score.Find(kRestTag, 2, 0, 0), 0), 250);
    EXPECT_EQ(part.Find(kRestTag, 2, 0, 0), nullptr);
    EXPECT_EQ(host.Document().CurrentPart(), 3);
    // A spacing ratio of 1.5 is 15000 in the low word of its two halves.
    EXPECT_EQ(host.Document().ComponentAt("94", 0xFFFE, 1)[5], 15000);
    EXPECT_EQ(host.Document().ComponentAt("94", 0xFFFE, 2)[0], 0);
}

struct BadScore {
    std::string json;
    const char* message;
};

TEST_F(ScoreFileTest, MalformedFilesAreRefusedNamingThePlace) {
    const std::string part = R"("parts": [{"id": 0, "widths": [300, 300]}])";
    const std::string staves = R"("staves": [{"id": 1}], "measures": [{}, {}])";
    const BadScore cases[] = {
        {"{", "not valid JSON"},
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
         "parts[0].systems[0].next: expected an integer from 0 to 3, found 40"},
        {("{" + staves + R"(, "parts": [{"id": 4, "widths": [1, 1]}]})"),
         "parts: the score, part 0, is missing"},
        {("{" + staves + ", " + part + R"(, "currentPart": 2})"), "currentPart: no such part"},
        {("{" + staves + ", " + part +
          R"(, "selection": {"firstSlot": 1, "lastSlot": 1, "firstMeasure": 3, "lastMeasure": 3}})"),
         "selection.firstMeasure: expected an integer from 1 to 2, found 3"},
    };
    for (const BadScore& c : cases) {
        host.Reset();
        try {
            ScoreFile::Apply(c.json, host);
            ADD_FAILURE() << "accepted: " << c.json;
        } catch (const ScoreError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
                << "message: " << error.what() << "\nexpected: " << c.message;
        }
    }
}

// Damaged files (bytes changed, dropped or doubled at random) are either still a score or are
// refused with a ScoreError; nothing else escapes and nothing faults.
TEST_F(ScoreFileTest, DamagedFilesAreLoadedOrRefusedNeverMore) {
    std::mt19937 random(7);
    const std::string original = kSmallScore;
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::string damaged = original;
        for (int change = std::uniform_int_distribution<int>(1, 4)(random); change > 0; --change) {
            const std::size_t at =
                std::uniform_int_distribution<std::size_t>(0, damaged.size() - 1)(random);
            switch (std::uniform_int_distribution<int>(0, 2)(random)) {
            case 0:
                damaged[at] =
                    static_cast<char>(std::uniform_int_distribution<int>(32, 126)(random));
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
    std::string error;
    EXPECT_FALSE(ScoreFile::Load("/nonexistent/score.json", host, error));
    EXPECT_EQ(error, "/nonexistent/score.json: cannot be read");
}

} // namespace
