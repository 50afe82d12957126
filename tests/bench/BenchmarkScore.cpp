#include "BenchmarkScore.h"

#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "host/formats/json/ScoreFile.h"
#include "host/standin/StandInHost.h"

#include <algorithm>

void LoadBenchmarkScore(const std::string& json) {
    StandInHost& host = StandInHost::Instance();
    host.Reset();
    host.RegisterHostModule();
    HostApi::ResetBinding();
    ScoreFile::Apply(json, host);
    hostVersion = host.Version();
    host.KeepCalls(false);
}

double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}
