// Time and host calls of one spacing pass over a generated orchestral document: 40 staves, each
// with its linked part, in every spacing mode and every scope, for 1000 and 2000 measures. Each
// run reports the host calls per measure per part it processed, beside the calls of the
// cheapest pass that makes the same writes (Cheapest below); at the end the growth ratio
// t(2000)/t(1000) of each mode and scope is printed, which stays near 2 when no piece of the
// plug-in or the stand-in host grows faster than the measures it visits.
// On a shared machine other work only ever adds time, and it adds it in bursts, so the ratio is
// taken from the CPU time of the fastest of several repetitions, and the repetitions of all runs
// are shuffled so a burst does not fall on one size only: unless asked otherwise the program
// repeats each run 5 times (--benchmark_repetitions) in random order
// (--benchmark_enable_random_interleaving). Each repetition still times whole passes.
#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "engine/FCCalvexBlockHandler.h"
#include "host/HostDocument.h"
#include "host/HostRecords.h"
#include "host/OrchestraScore.h"
#include "host/ScoreFile.h"
#include "host/StandInHost.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kStaves = 40;
constexpr std::int64_t kSmall = 1000;
constexpr std::int64_t kLarge = 2000;

void LoadOrchestra(int measures) {
    StandInHost& host = StandInHost::Instance();
    host.Reset();
    host.RegisterHostModule();
    HostApi::ResetBinding();
    ScoreFile::Apply(OrchestraScore::Json(kStaves, measures), host);
    hostVersion = host.Version();
    host.KeepCalls(false);
}

// The parts a pass in the scope spaces: the score alone, the score and every part, or the parts.
int PartsSpaced(std::int32_t scope) {
    switch (scope) {
    case kScopeRegion:
        return 1;
    case kScopeFullScoreAndParts:
        return kStaves + 1;
    default:
        return kStaves;
    }
}

constexpr std::int64_t kMeasureTag = HostRecords::Measure::kTag;
constexpr std::int64_t kRestTag = HostRecords::Rest::kTag;
constexpr std::int64_t kStaffSizeTag = HostRecords::StaffSize::kTag;

bool IsRecordRead(const HostCall& call) {
    return call.name == "FX_LoadEData" || call.name == "FX_NextEData";
}

// Reads of one kind: of one record tag, or of one host function.
std::string KindOf(const HostCall& read) {
    return IsRecordRead(read) ? read.name + std::to_string(read.args[0]) : read.name;
}

bool IsLayoutKind(const std::string& kind) {
    return kind != "FX_LoadTGF" && kind != "FX_GetMeasureDuration" &&
           kind != "FX_LoadEData" + std::to_string(kMeasureTag) &&
           kind != "FX_LoadEData" + std::to_string(kRestTag);
}

// The calls of the cheapest pass that makes the same writes: every write, command and frame
// release as made; each other read once, and again only after a write that can change its
// answer (a save of its record kind, the music-spacing command for measures and rests, a layout
// update for systems and staff lists, a switch of part for everything); no document number (no
// write depends on the stamp) and no staff size record (the pass never uses it).
std::size_t Cheapest(const std::vector<HostCall>& calls) {
    const std::set<std::string> writes = {
        "FX_SaveEData",       "FX_CreateEData",      "FX_DeleteEData", "FX_UpdateLayout",
        "FX_ExecuteMenuItem", "FX_SetCurrentPartID", "FX_FreeTGF"};
    std::map<std::string, std::set<std::vector<std::int64_t>>> known;
    std::size_t cheapest = 0;
    for (const HostCall& call : calls) {
        if (writes.count(call.name) != 0) {
            ++cheapest;
            if (call.name == "FX_SetCurrentPartID") {
                known.clear();
            } else if (call.name == "FX_ExecuteMenuItem") {
                known.erase("FX_LoadEData" + std::to_string(kMeasureTag));
                known.erase("FX_LoadEData" + std::to_string(kRestTag));
            } else if (call.name == "FX_UpdateLayout") {
                std::erase_if(known, [](const auto& kind) { return IsLayoutKind(kind.first); });
            } else if (call.name != "FX_FreeTGF") {
                known.erase("FX_LoadEData" + std::to_string(call.args[0]));
                known.erase("FX_NextEData" + std::to_string(call.args[0]));
            }
        } else if (call.name != "FX_GetCurrentEnigmaDocument" &&
                   !(IsRecordRead(call) && call.args[0] == kStaffSizeTag) &&
                   known[KindOf(call)].insert(call.args).second) {
            ++cheapest;
        }
    }
    return cheapest;
}

std::string Name(std::int64_t mode, std::int64_t scope) {
    return "mode " + std::to_string(mode) + ", scope " + std::to_string(scope);
}

void SpacingPass(benchmark::State& state) {
    const auto measures = static_cast<int>(state.range(0));
    const auto mode = static_cast<std::int32_t>(state.range(1));
    const auto scope = static_cast<std::int32_t>(state.range(2));
    LoadOrchestra(measures);
    StandInHost& host = StandInHost::Instance();
    const HostDocument original = host.Document();
    PluginSettings = PluginSettingsRecord::Defaults();
    PluginSettings.processingMode = scope;
    PluginSettings.spacingMode = mode;
    host.KeepCalls(true);
    benchmark::DoNotOptimize(FCCalvexBlockHandler().Execute());
    const std::size_t cheapest = Cheapest(host.Calls());
    host.KeepCalls(false);
    host.ClearCalls();
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
    const double measureParts = static_cast<double>(measures) * PartsSpaced(scope);
    state.counters["calls/measure/part"] = static_cast<double>(calls) / measureParts;
    state.counters["cheapest"] = static_cast<double>(cheapest) / measureParts;
    state.counters["ratio"] = static_cast<double>(calls) / static_cast<double>(cheapest);
    state.SetLabel(std::to_string(measures) + " measures, " + Name(mode, scope));
}

BENCHMARK(SpacingPass)
    ->ArgNames({"measures", "mode", "scope"})
    ->ArgsProduct({{kSmall, kLarge}, {0, 1, 2}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->ComputeStatistics("min", [](const std::vector<double>& times) {
        return *std::min_element(times.begin(), times.end());
    });

// A run's time for the growth ratio: a single run's own, or the fastest of its repetitions.
bool TimesGrowth(const benchmark::BenchmarkReporter::Run& run) {
    using Run = benchmark::BenchmarkReporter::Run;
    return !run.error_occurred &&
           (run.run_type == Run::RT_Iteration ? run.repetitions <= 1 : run.aggregate_name == "min");
}

// The console report, followed by t(2000)/t(1000) for each mode and scope.
class GrowthReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!TimesGrowth(run)) {
                continue;
            }
            const auto& args = run.run_name.args;
            std::int64_t measures = 0;
            std::int64_t mode = 0;
            std::int64_t scope = 0;
            if (std::sscanf(args.c_str(), "measures:%ld/mode:%ld/scope:%ld", &measures, &mode,
                            &scope) == 3) {
                times_[{mode, scope}][measures] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\ngrowth t(%ld)/t(%ld), CPU time:\n", static_cast<long>(kLarge),
                    static_cast<long>(kSmall));
        for (const auto& [key, times] : times_) {
            const auto small = times.find(kSmall);
            const auto large = times.find(kLarge);
            if (small != times.end() && large != times.end() && small->second > 0) {
                std::printf("  %s: %.2f\n", Name(key.first, key.second).c_str(),
                            large->second / small->second);
            }
        }
    }

private:
    std::map<std::pair<std::int64_t, std::int64_t>, std::map<std::int64_t, double>> times_;
};

} // namespace

// The command line with the repetitions and their shuffling added unless it sets them itself.
std::vector<char*> WithRepetitions(int argc, char** argv) {
    static char repetitions[] = "--benchmark_repetitions=5";
    static char interleaving[] = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> args(argv, argv + argc);
    for (char* flag : {repetitions, interleaving}) {
        const auto nameLength = static_cast<std::size_t>(std::strchr(flag, '=') - flag);
        if (std::none_of(args.begin() + 1, args.end(), [&](const char* arg) {
                return std::strncmp(arg, flag, nameLength) == 0;
            })) {
            args.push_back(flag);
        }
    }
    return args;
}

int main(int argc, char** argv) {
    std::vector<char*> args = WithRepetitions(argc, argv);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    GrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
