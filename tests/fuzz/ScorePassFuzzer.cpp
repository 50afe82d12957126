// A score file as anyone may write it, then a spacing pass over it. The loader takes the text or
// refuses it with a score error, nothing else; the pass finishes, frees every entry frame the
// host handed out, leaves no edit open, and when it reports no change the document is exactly
// as it was. The last byte of the input is the user's choices, the rest is the file.
#include "binding/PluginState.h"
#include "host/files/ScoreError.h"
#include "host/formats/json/ScoreFile.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/LinkedPlugin.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

namespace {

// Scope, spacing mode and the three rest options, all of them reachable from one byte.
void Choose(std::uint8_t choices) {
    PluginSettings.processingMode = choices % 3;
    PluginSettings.spacingMode = choices / 3 % 3;
    PluginSettings.useSingleRestSpacing = choices / 9 % 2 != 0;
    PluginSettings.useMMRestSpacing = choices / 18 % 2 != 0;
    PluginSettings.useMMDurationSpacing = choices / 36 % 2 != 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto choices = input.ConsumeIntegral<std::uint8_t>();
    const std::string json = input.ConsumeRemainingBytesAsString();

    StandInHost& host = StandInHost::Instance();
    LinkedPlugin::Attach(host);
    host.KeepCalls(false);
    try {
        ScoreFile::Apply(json, host);
    } catch (const ScoreError&) {
        return 0;
    }
    hostVersion = host.Version();
    Choose(choices);
    const HostDocument before = host.Document();

    const bool changed = LinkedPlugin::RunSpacingPass();

    Require(host.Music().OpenFrameCount() == 0, "every entry frame is freed");
    Require(host.Music().ForeignFreeCount() == 0, "only frames the host handed out are freed");
    Require(!host.Edit().IsOpen(), "no edit is left open");
    Require(changed || host.Document() == before, "a pass without a change leaves no trace");
    return 0;
}
