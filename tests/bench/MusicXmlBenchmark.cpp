// A 40-part, 1000-measure MusicXML score (the generated orchestral score) read with a linked
// part per part, one spacing pass over the full score and all parts, and the score and its part
// files written: time, the file's size and the process's peak memory. Then the part files alone
// of 20 and 40 parts of 1000 measures, whose growth ratio (printed at the end) stays near 2 when
// writing every part costs what the score costs.
#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "engine/FCCalvexBlockHandler.h"
#include "host/formats/OrchestraScore.h"
#include "host/formats/ScoreSource.h"
#include "host/formats/musicxml/MusicXmlScoreSource.h"
#include "host/standin/StandInHost.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kParts = 40;
constexpr int kMeasures = 1000;

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void MusicXmlReadPassWrite(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "calvex-musicxml-bench";
    std::filesystem::create_directories(folder);
    const std::string score = (folder / "orchestra.musicxml").string();
    const std::string text = OrchestraScore::MusicXml(kParts, kMeasures);
    std::ofstream(score, std::ios::binary) << text;
    StandInHost& host = StandInHost::Instance();
    for (auto _ : state) {
        host.Reset();
        host.RegisterHostModule();
        HostApi::ResetBinding();
        host.KeepCalls(false);
        const std::unique_ptr<ScoreSource> source = ScoreSource::Open(score, true, host);
        hostVersion = host.Version();
        PluginSettings = PluginSettingsRecord::Defaults();
        PluginSettings.processingMode = kScopeFullScoreAndParts;
        PluginSettings.spacingMode = 1;
        FCCalvexBlockHandler handler;
        benchmark::DoNotOptimize(handler.Execute());
        source->Save((folder / "spaced.musicxml").string(), host.Document());
        source->SaveParts((folder / "parts").string(), host.Document());
    }
    state.counters["file MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    state.counters["peak MB"] = PeakMegabytes();
    std::filesystem::remove_all(folder);
}

BENCHMARK(MusicXmlReadPassWrite)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The texts of all part files of the generated score as read, without writing them to disk.
void MusicXmlPartFiles(benchmark::State& state) {
    const auto parts = static_cast<int>(state.range(0));
    StandInHost& host = StandInHost::Instance();
    host.Reset();
    host.RegisterHostModule();
    host.KeepCalls(false);
    const std::unique_ptr<MusicXmlScoreSource> source =
        MusicXmlScoreSource::FromText(OrchestraScore::MusicXml(parts, kMeasures), true, host);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::string> texts = source->PartTexts(host.Document());
        bytes = 0;
        for (const std::string& text : texts) {
            bytes += text.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["written MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}

BENCHMARK(MusicXmlPartFiles)
    ->ArgName("parts")
    ->Arg(kParts / 2)
    ->Arg(kParts)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->ComputeStatistics("min", [](const std::vector<double>& times) {
        return *std::min_element(times.begin(), times.end());
    });

} // namespace
