// Spacing passes on the MusicXML examples: the same answers as the same score written by hand
// in the JSON format, and a score written back after a pass that differs from its source only in
// measure widths and system breaks.
#include "host/ScoreReport.h"
#include "scenario/ScenarioFixture.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

struct Pass {
    int scope;
    int mode;
};

constexpr Pass kPasses[] = {{1, 0}, {1, 1}, {2, 0}, {2, 1}};

std::string Source(const std::string& name) {
    return std::string(CALVEX_SOURCE_DIR) + "/" + name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text without what a pass may change: widths and system breaks.
std::string WithoutLayout(const std::string& text) {
    static const std::regex kLayout(R"( (width|new-system)="[^"]*")");
    static const std::regex kEmptyPrint("<print/>");
    return std::regex_replace(std::regex_replace(text, kLayout, ""), kEmptyPrint, "");
}

class MusicXmlScenarioTest : public ScenarioFixture {
protected:
    std::string Result(const std::string& path, bool linkedParts, const Pass& pass) {
        LoadFile(path, linkedParts);
        const std::string before = ScoreReport::Describe(host.Document());
        Choose(pass.scope, pass.mode);
        RunPass();
        return before + "after the pass:\n" + ScoreReport::Describe(host.Document());
    }
};

TEST_F(MusicXmlScenarioTest, AMusicXmlScoreSpacesLikeTheSameScoreWrittenInJson) {
    for (const Pass& pass : kPasses) {
        EXPECT_EQ(Result(Source("examples/duo.musicxml"), true, pass),
                  Result(Source("tests/scenario/scores/duo.json"), false, pass))
            << "scope " << pass.scope << " mode " << pass.mode;
    }
}

TEST_F(MusicXmlScenarioTest, AfterAPassOnlyWidthsAndSystemBreaksDiffer) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("calvex-scenario-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string source = Source("examples/chamber.musicxml");
    const std::string output = (folder / "chamber.musicxml").string();
    const std::unique_ptr<ScoreSource> score = LoadFile(source, true);
    Choose(1, 1);
    ASSERT_TRUE(RunPass());
    const std::vector<std::int16_t> widths = MeasureWidths();
    const auto systems = Systems();
    score->Save(output, host.Document());
    const std::string written = ReadFile(output);
    EXPECT_NE(written, ReadFile(source));
    EXPECT_EQ(WithoutLayout(written), WithoutLayout(ReadFile(source)));
    LoadFile(output);
    EXPECT_EQ(MeasureWidths(), widths);
    EXPECT_EQ(Systems(), systems);
    std::filesystem::remove_all(folder);
}

} // namespace
