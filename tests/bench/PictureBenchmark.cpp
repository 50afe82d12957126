// The picture of a pass drawn as a multi-page PDF: the generated orchestral document (40 staves,
// each with its linked part, 1000 and 2000 measures) respaced in mode 1 over the score and all
// parts, then the before/after picture drawn in memory. Each run reports the file's size and the
// drawing's CPU time as a multiple of the pass's own; the growth ratio is printed with the others.
#include "BenchmarkScore.h"
#include "binding/PluginState.h"
#include "engine/FCCalvexBlockHandler.h"
#include "host/formats/OrchestraScore.h"
#include "host/picture/LayoutPicture.h"
#include "host/picture/LayoutSnapshot.h"
#include "host/standin/StandInHost.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

constexpr int kStaves = 40;

double CpuSecondsSince(std::clock_t start) {
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

void PdfPicture(benchmark::State& state) {
    const auto measures = static_cast<int>(state.range(0));
    LoadBenchmarkScore(OrchestraScore::Json(kStaves, measures));
    StandInHost& host = StandInHost::Instance();
    PluginSettings = PluginSettingsRecord::Defaults();
    PluginSettings.processingMode = kScopeFullScoreAndParts;
    PluginSettings.spacingMode = 1;
    const LayoutSnapshot before = LayoutSnapshot::Take(host);
    const std::clock_t passStart = std::clock();
    benchmark::DoNotOptimize(FCCalvexBlockHandler().Execute());
    const double passSeconds = CpuSecondsSince(passStart);
    const LayoutSnapshot after = LayoutSnapshot::Take(host);
    std::string pdf;
    const std::clock_t drawStart = std::clock();
    for (auto _ : state) {
        pdf.clear();
        std::string error;
        if (!LayoutPicture::Draw("orchestra.pdf", before, after, "Orchestra", pdf, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    const double drawSeconds = CpuSecondsSince(drawStart) / static_cast<double>(state.iterations());
    state.counters["MB"] = static_cast<double>(pdf.size()) / (1024.0 * 1024.0);
    state.counters["times the pass"] = drawSeconds / passSeconds;
}

BENCHMARK(PdfPicture)
    ->ArgNames({"measures"})
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->ComputeStatistics("min", Fastest);

} // namespace
