// Time and host calls of one spacing pass over a generated orchestral document: 40 staves, each
// with its linked part, over the full score and all parts, in the respacing and the
// redistribution modes, for 1000 and 2000 measures.
#include "engine/FCCalvexBlockHandler.h"
#include "host/HostDocument.h"
#include "host/OrchestraScore.h"
#include "host/ScoreFile.h"
#include "host/StandInHost.h"
#include "shell/HostApi.h"
#include "shell/PluginState.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kStaves = 40;

void LoadOrchestra(int measures) {
    StandInHost& host = StandInHost::Instance();
    host.Reset();
    host.RegisterHostModule();
    HostApi::ResetBinding();
    ScoreFile::Apply(OrchestraScore::Json(kStaves, measures), host);
    hostVersion = host.Version();
    host.KeepCalls(false);
}

void SpacingPass(benchmark::State& state) {
    const auto measures = static_cast<int>(state.range(0));
    LoadOrchestra(measures);
    StandInHost& host = StandInHost::Instance();
    const HostDocument original = host.Document();
    PluginSettings = PluginSettingsRecord::Defaults();
    PluginSettings.processingMode = kScopeFullScoreAndParts;
    PluginSettings.spacingMode = static_cast<std::int32_t>(state.range(1));
    std::size_t calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        host.Document() = original;
        host.ClearCalls();
        state.ResumeTiming();
        FCCalvexBlockHandler handler;
        benchmark::DoNotOptimize(handler.Execute());
        calls = host.CallCount();
    }
    state.counters["host calls per pass"] = static_cast<double>(calls);
    state.SetLabel(std::to_string(measures) + " measures, mode " + std::to_string(state.range(1)));
}

BENCHMARK(SpacingPass)
    ->ArgsProduct({{1000, 2000}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
