// Time and host calls of one spacing pass over a generated orchestral document: 40 staves, each
// with its linked part, in every spacing mode and every scope, for 1000 and 2000 measures. Each
// run reports the host calls per measure per part it processed, beside the calls of the
// cheapest pass that makes the same writes (the floor, CallFloor.h) and their ratio; at the end the
// growth ratio t(2n)/t(n) of each case of every benchmark is printed, which stays near 2 when no
// piece of the plug-in or the stand-in host grows faster than the measures it visits. On a shared
// machine other work only ever adds time, and it adds it in bursts, so the ratio is taken from the
// CPU time of the fastest of several repetitions, and the repetitions of all runs are shuffled so a
// burst does not fall on one size only: unless asked otherwise the program repeats each run 5 times
// (--benchmark_repetitions) in random order
// (--benchmark_enable_random_interleaving). Each repetition still times whole passes.
#include "BenchmarkScore.h"
#include "CallFloor.h"
#include "binding/PluginState.h"
#include "engine/FCCalvexBlockHandler.h"
#include "host/formats/OrchestraScore.h"
#include "host/model/HostDocument.h"
#include "host/standin/StandInHost.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kStaves = 40;
constexpr std::int64_t kSmall = 1000;
constexpr std::int64_t kLarge = 2000;

// Times whole passes, each from the document as it was; the last pass's calls stay counted.
void TimePasses(benchmark::State& state) {
    StandInHost& host = StandInHost::Instance();
    const HostDocument original = host.Document();
    for (auto _ : state) {
        state.PauseTiming();
        host.Document() = original;
        host.ClearCalls();
        state.ResumeTiming();
        FCCalvexBlockHandler handler;
        benchmark::DoNotOptimize(handler.Execute());
    }
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

std::string Name(std::int64_t mode, std::int64_t scope) {
    return "mode " + std::to_string(mode) + ", scope " + std::to_string(scope);
}

void SpacingPass(benchmark::State& state) {
    const auto measures = static_cast<int>(state.range(0));
    const auto mode = static_cast<std::int32_t>(state.range(1));
    const auto scope = static_cast<std::int32_t>(state.range(2));
    LoadBenchmarkScore(OrchestraScore::Json(kStaves, measures));
    StandInHost& host = StandInHost::Instance();
    const HostDocument original = host.Document();
    PluginSettings = PluginSettingsRecord::Defaults();
    PluginSettings.processingMode = scope;
    PluginSettings.spacingMode = mode;
    host.KeepCalls(true);
    benchmark::DoNotOptimize(FCCalvexBlockHandler().Execute());
    const std::size_t floor = CallFloor::Of(host.Calls());
    host.KeepCalls(false);
    host.Document() = original;
    TimePasses(state);
    const std::size_t calls = host.CallCount();
    const double measureParts = static_cast<double>(measures) * PartsSpaced(scope);
    state.counters["calls/measure/part"] = static_cast<double>(calls) / measureParts;
    state.counters["floor"] = static_cast<double>(floor) / measureParts;
    state.counters["ratio"] = static_cast<double>(calls) / static_cast<double>(floor);
    state.SetLabel(std::to_string(measures) + " measures, " + Name(mode, scope));
}

BENCHMARK(SpacingPass)
    ->ArgNames({"measures", "mode", "scope"})
    ->ArgsProduct({{kSmall, kLarge}, {0, 1, 2}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->ComputeStatistics("min", Fastest);

// One staff in one staff system of thousands of measures, most of them under long multimeasure
// rests, as a part's rests pack a whole movement into one system: in every 16 measures the first
// holds a note, the next 12 lie under one rest and the last 3 are empty.
std::string LongSystemScore(int measures) {
    std::ostringstream out;
    out << R"({"staves": [{"id": 1}], "measures": [)";
    for (int measure = 1; measure <= measures; ++measure) {
        out << (measure > 1 ? ", {}" : "{}");
    }
    out << R"(], "entries": [)";
    for (int measure = 1; measure <= measures; measure += 16) {
        out << (measure > 1 ? ", " : "") << R"({"staff": 1, "measure": )" << measure
            << R"(, "notes": [1]})";
    }
    out << R"(], "parts": [{"id": 0, "widths": [)";
    for (int measure = 1; measure <= measures; ++measure) {
        out << (measure > 1 ? ", " : "") << 200;
    }
    out << R"(], "systems": [{"first": 1, "next": )" << measures + 1
        << R"(}], "multimeasureRests": [)";
    for (int first = 2; first + 12 <= measures + 1; first += 16) {
        out << (first > 2 ? ", " : "") << R"({"first": )" << first << R"(, "next": )" << first + 12
            << '}';
    }
    out << R"(]}], "selection": {"firstSlot": 1, "lastSlot": 1, "firstMeasure": 1, )"
        << R"("lastMeasure": )" << measures << "}}";
    return out.str();
}

void LongSystemPass(benchmark::State& state) {
    const auto measures = static_cast<int>(state.range(0));
    LoadBenchmarkScore(LongSystemScore(measures));
    PluginSettings = PluginSettingsRecord::Defaults();
    PluginSettings.processingMode = kScopeRegion;
    PluginSettings.spacingMode = static_cast<std::int32_t>(state.range(1));
    TimePasses(state);
    state.counters["calls/measure"] =
        static_cast<double>(StandInHost::Instance().CallCount()) / static_cast<double>(measures);
}

BENCHMARK(LongSystemPass)
    ->ArgNames({"measures", "mode"})
    ->ArgsProduct({{3000, 6000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->ComputeStatistics("min", Fastest);

// A run's time for the growth ratio: a single run's own, or the fastest of its repetitions.
bool TimesGrowth(const benchmark::BenchmarkReporter::Run& run) {
    using Run = benchmark::BenchmarkReporter::Run;
    return !run.error_occurred &&
           (run.run_type == Run::RT_Iteration ? run.repetitions <= 1 : run.aggregate_name == "min");
}

// The console report, followed by the growth ratio of each case: the time at its largest size
// (the first argument) over the time at its smallest, which doubles.
class GrowthReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!TimesGrowth(run)) {
                continue;
            }
            const std::string& args = run.run_name.args;
            const std::size_t size = args.find(':');
            const std::size_t rest = args.find('/');
            if (size == std::string::npos) {
                continue;
            }
            const std::string key = run.run_name.function_name +
                                    (rest == std::string::npos ? "" : " " + args.substr(rest + 1));
            times_[key][std::stol(args.substr(size + 1))] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\ngrowth t(2n)/t(n), CPU time:\n");
        for (const auto& [key, times] : times_) {
            if (times.size() >= 2 && times.begin()->second > 0) {
                std::printf("  %s (%ld -> %ld): %.2f\n", key.c_str(), times.begin()->first,
                            times.rbegin()->first, times.rbegin()->second / times.begin()->second);
            }
        }
    }

private:
    std::map<std::string, std::map<long, double>> times_;
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
