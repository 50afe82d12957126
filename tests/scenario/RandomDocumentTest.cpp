// Seeded random documents and choices, including values the dialog never produces: every pass
// must finish without a fault (the sanitizer builds watch), and a pass that reports no change
// must leave the document exactly as it was.
#include "tests/support/RandomDocument.h"
#include "host/files/ScoreError.h"
#include "scenario/ScenarioFixture.h"

namespace {

class RandomDocumentTest : public ScenarioFixture {};

TEST_F(RandomDocumentTest, EveryPassFinishesAndAnUnchangedPassLeavesNoTrace) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        RandomDocument document(seed);
        host.Reset();
        try {
            Load(document.Json());
        } catch (const ScoreError& error) {
            FAIL() << "seed " << seed << ": " << error.what();
        }
        ChooseRandomly(document);
        const HostDocument before = host.Document();
        if (!RunPass()) {
            EXPECT_TRUE(host.Document() == before) << "seed " << seed;
        }
        EXPECT_EQ(host.Document().CurrentPart(), before.CurrentPart()) << "seed " << seed;
    }
}

} // namespace
