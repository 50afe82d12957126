// Spacing passes on the MusicXML examples: the same answers as the same score written by hand
// in the JSON format, and a score written back after a pass that differs from its source only in
// measure widths and system breaks.
#include "host/model/PartLayout.h"
#include "host/session/ScoreReport.h"
#include "scenario/ScenarioFixture.h"

#include <array>
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

// The layout a file holds as the host reads it back: widths, system starts and rests' spans and
// widths.
struct ReadLayout {
    std::vector<std::int16_t> widths;
    std::vector<std::int16_t> starts;
    std::vector<std::array<std::int16_t, 3>> rests;
    bool operator==(const ReadLayout&) const = default;

    static ReadLayout Of(const PartLayout& layout) {
        ReadLayout read{layout.widths, layout.SystemStarts(), {}};
        for (const PartLayout::Rest& rest : layout.rests) {
            read.rests.push_back({rest.first, rest.next, rest.width});
        }
        return read;
    }
};

// Every pass on scores with multimeasure rests of their own (trio-rests) and in their parts: the
// written score and part files read back with the widths, systems and rests of the session's JSON
// output, but for the width of a measure under a rest, which MusicXML cannot hold beside the
// rest's own and which the warnings name.
TEST_F(MusicXmlScenarioTest, WrittenFilesReadBackAsTheSessionLeftTheLayout) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("calvex-round-trip-" + std::to_string(::getpid()));
    const std::string output = (folder / "score.musicxml").string();
    const std::string json = (folder / "score.json").string();
    int changedRests = 0;
    for (const char* example : {"tests/scenario/scores/trio-rests.musicxml",
                                "examples/chamber.musicxml", "examples/duo.musicxml"}) {
        for (int scope = 0; scope <= 2; ++scope) {
            for (int mode = 0; mode <= 2; ++mode) {
                std::filesystem::remove_all(folder);
                std::filesystem::create_directories(folder);
                const std::string name = std::string(example) + " scope " + std::to_string(scope) +
                                         " mode " + std::to_string(mode);
                const std::unique_ptr<ScoreSource> source = LoadFile(Source(example), true);
                const std::vector<std::int16_t> restsBefore = {RestWidth(5), RestWidth(13)};
                Choose(scope, mode);
                RunPass();
                changedRests +=
                    restsBefore != std::vector<std::int16_t>{RestWidth(5), RestWidth(13)};
                source->Save(output, host.Document());
                source->Save(json, host.Document());
                source->SaveParts((folder / "parts").string(), host.Document());
                std::string warnings;
                for (const std::string& line : source->Warnings(output, true, host.Document())) {
                    warnings += line + '\n';
                }
                const std::size_t parts = host.Document().Layouts().size() - 1;
                LoadFile(json, false);
                std::vector<ReadLayout> session;
                for (std::int16_t part = 0; part <= static_cast<std::int16_t>(parts); ++part) {
                    session.push_back(ReadLayout::Of(PartLayout::Of(host.Document(), part)));
                }
                for (std::size_t part = 0; part <= parts; ++part) {
                    std::string file = output;
                    if (part > 0) {
                        file = "P" + std::to_string(part) + ".musicxml";
                        LoadFile((folder / "parts" / file).string());
                    } else {
                        LoadFile(output);
                    }
                    ReadLayout read = ReadLayout::Of(PartLayout::Of(host.Document(), 0));
                    for (std::size_t measure = 0; measure < read.widths.size(); ++measure) {
                        if (read.widths[measure] != session[part].widths[measure]) {
                            EXPECT_NE(warnings.find(file + ": measure " +
                                                    std::to_string(measure + 1) +
                                                    ": the measure's own width " +
                                                    std::to_string(session[part].widths[measure])),
                                      std::string::npos)
                                << name << ", " << file << "\n"
                                << warnings;
                            read.widths[measure] = session[part].widths[measure];
                        }
                    }
                    EXPECT_EQ(read, session[part]) << name << ", " << file;
                }
            }
        }
    }
    // The passes respaced the score's own rests.
    EXPECT_GT(changedRests, 0);
    std::filesystem::remove_all(folder);
}

} // namespace
