#include "host/picture/LayoutSnapshot.h"

#include "host/formats/json/ScoreFile.h"
#include "support/HostFixture.h"

namespace {

// Two staves; the linked part 2 shows only the second. Measure 2 holds an entered rest, measure
// 3 a note on a hidden layer, measure 4 a note on a layer the host does not have.
const char* kScore = R"({
  "staves": [{"id": 1}, {"id": 2}],
  "layers": {"count": 4, "hidden": [1]},
  "measures": [{}, {}, {}, {}, {}],
  "entries": [
    {"staff": 1, "measure": 1, "notes": [1, 2]},
    {"staff": 1, "measure": 2, "notes": [0]},
    {"staff": 2, "measure": 3, "layer": 1, "notes": [1]},
    {"staff": 2, "measure": 4, "layer": 5, "notes": [1]},
    {"staff": 1, "measure": 5, "notes": []}
  ],
  "parts": [
    {"id": 0, "widths": [200, 210, 220, 230, 240],
     "systems": [{"first": 1, "next": 4}, {"first": 4, "next": 6}]},
    {"id": 2, "staves": [2], "widths": [100, 110, 120, 130, 140],
     "systems": [{"first": 1, "next": 6}, {"first": 0, "next": 0}],
     "multimeasureRests": [{"first": 1, "next": 3, "width": 250}]}
  ],
  "currentPart": 2,
  "systemWidth": 900
})";

using Measure = LayoutSnapshot::Measure;
using System = LayoutSnapshot::System;
using Rest = LayoutSnapshot::Rest;

class LayoutSnapshotTest : public HostFixture {};

TEST_F(LayoutSnapshotTest, TakesEveryPartWithItsOwnStavesSystemsAndRests) {
    ScoreFile::Apply(kScore, host);
    const LayoutSnapshot snapshot = LayoutSnapshot::Take(host);
    ASSERT_EQ(snapshot.parts.size(), 2u);
    const LayoutSnapshot::Part& score = snapshot.parts[0];
    const LayoutSnapshot::Part& part = snapshot.parts[1];
    EXPECT_EQ(score.id, 0);
    EXPECT_EQ(
        score.measures,
        (std::vector<Measure>{{200, false}, {210, false}, {220, false}, {230, true}, {240, true}}));
    EXPECT_EQ(score.systems, (std::vector<System>{{1, 3}, {4, 5}}));
    EXPECT_TRUE(score.rests.empty());
    // The part sees only its own staff: the first staff's music leaves its measures empty.
    EXPECT_EQ(part.id, 2);
    EXPECT_EQ(
        part.measures,
        (std::vector<Measure>{{100, true}, {110, true}, {120, false}, {130, true}, {140, true}}));
    // A system the layout has not placed yet holds no measures.
    EXPECT_EQ(part.systems, (std::vector<System>{{1, 5}}));
    EXPECT_EQ(part.rests, (std::vector<Rest>{{1, 2, 250, -18}}));
    EXPECT_EQ(snapshot.systemWidth, 900);
    EXPECT_EQ(host.Document().CurrentPart(), 2);
}

TEST_F(LayoutSnapshotTest, ShowsTheLayoutAsTheHostHasItNow) {
    ScoreFile::Apply(kScore, host);
    const LayoutSnapshot before = LayoutSnapshot::Take(host);
    // A narrower system width makes the host's layout update break the score more often.
    host.Document().SetCurrentPart(0);
    host.Layout().SetSystemWidth(450);
    host.Layout().Update(host.Document());
    const LayoutSnapshot after = LayoutSnapshot::Take(host);
    EXPECT_EQ(after.parts[0].systems, (std::vector<System>{{1, 2}, {3, 4}, {5, 5}}));
    EXPECT_EQ(after.parts[0].measures, before.parts[0].measures);
    EXPECT_EQ(after.parts[1], before.parts[1]);
    EXPECT_EQ(after.systemWidth, 450);
}

} // namespace
