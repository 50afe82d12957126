// A 40-part, 1000-measure MusicXML score (the generated orchestral score) read with a linked
// part per part, one spacing pass over the full score and all parts, and the score and its part
// files written: time, the file's size and the process's peak memory.
#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "engine/FCCalvexBlockHandler.h"
#include "host/formats/OrchestraScore.h"
#include "host/formats/ScoreSource.h"
#include "host/standin/StandInHost.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

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

} // namespace
