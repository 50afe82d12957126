// What the benchmarks share: a generated document loaded into the stand-in host as a new session
// would find it, and the statistic their growth ratios are taken from.
#pragma once

#include <string>
#include <vector>

// Loads the host document of the score's JSON text, with a fresh plug-in binding and no calls kept.
void LoadBenchmarkScore(const std::string& json);

// The fastest of a run's repetitions: on a shared machine other work only ever adds time.
double Fastest(const std::vector<double>& times);
