// Every example score through every scope and spacing mode, compared with the checked-in
// results in tests/golden. A change to them is reviewed like code: rerun with
// CALVEX_UPDATE_GOLDEN=1 only when the new widths are meant.
#include "host/session/ScoreReport.h"
#include "scenario/ScenarioFixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct Pass {
    int scope;
    int mode;
};

// The non-rest mode runs only on a selection in the current score or part.
constexpr Pass kPasses[] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};

class GoldenTest : public ScenarioFixture, public ::testing::WithParamInterface<const char*> {
protected:
    std::string Result(const Pass& pass) {
        host.Reset();
        LoadExample(GetParam());
        Choose(pass.scope, pass.mode);
        RunPass();
        std::ostringstream out;
        out << "scope " << pass.scope << " mode " << pass.mode << ": edits kept "
            << host.Edit().CommittedTitles().size() << ", cancelled "
            << host.Edit().CancelledCount() << '\n'
            << ScoreReport::Describe(host.Document());
        return out.str();
    }
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_P(GoldenTest, MatchesTheCheckedInResults) {
    std::string results;
    for (const Pass& pass : kPasses) {
        results += Result(pass) + '\n';
    }
    const std::string path =
        std::string(CALVEX_SOURCE_DIR) + "/tests/golden/" + GetParam() + ".txt";
    if (std::getenv("CALVEX_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << results;
    }
    EXPECT_EQ(results, ReadFile(path)) << "compare with " << path;
}

INSTANTIATE_TEST_SUITE_P(Examples, GoldenTest, ::testing::Values("piano", "quartet", "orchestra"));

} // namespace
