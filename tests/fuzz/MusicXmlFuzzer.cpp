// A MusicXML score as anyone may write it, in any encoding, read with a linked part per MusicXML
// part, then a spacing pass and the score and its parts written back. The reader takes the text
// or refuses it with a score error, nothing else; the pass leaves no frame or edit open; the
// written score is MusicXML again and reads back with the widths (a multimeasure rest's on its
// first measure), system breaks and rests the document holds; every part file reads back. The
// first byte of the input is the user's choices, the rest the file.
#include "binding/PluginState.h"
#include "host/files/ScoreError.h"
#include "host/formats/musicxml/MusicXmlScoreSource.h"
#include "host/model/PartLayout.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/LinkedPlugin.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

namespace {

void Choose(std::uint8_t choices) {
    PluginSettings.processingMode = choices % 3;
    PluginSettings.spacingMode = choices / 3 % 2;
    PluginSettings.useSingleRestSpacing = choices / 6 % 2 != 0;
    PluginSettings.useMMRestSpacing = choices / 12 % 2 != 0;
    PluginSettings.useMMDurationSpacing = choices / 24 % 2 != 0;
}

// Reads a written file back into the host: it must be MusicXML the reader takes.
PartLayout ReadBack(const std::string& text, StandInHost& host) {
    LinkedPlugin::Attach(host);
    try {
        MusicXmlScoreSource::FromText(text, false, host);
    } catch (const ScoreError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        Require(false, "a written file reads back");
    }
    return PartLayout::Of(host.Document(), 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto choices = input.ConsumeIntegral<std::uint8_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();

    StandInHost& host = StandInHost::Instance();
    LinkedPlugin::Attach(host);
    host.KeepCalls(false);
    std::unique_ptr<MusicXmlScoreSource> source;
    try {
        source = MusicXmlScoreSource::FromText(text, true, host);
    } catch (const ScoreError&) {
        return 0;
    }
    hostVersion = host.Version();
    Choose(choices);
    LinkedPlugin::RunSpacingPass();
    Require(host.Music().OpenFrameCount() == 0, "every entry frame is freed");
    Require(!host.Edit().IsOpen(), "no edit is left open");

    const PartLayout score = PartLayout::Of(host.Document(), 0);
    const std::string written = source->ScoreText(host.Document());
    const std::vector<std::string> parts = source->PartTexts(host.Document());
    const PartLayout reread = ReadBack(written, host);
    // A measure that begins a multimeasure rest is written with the rest's width.
    std::vector<std::int16_t> widths = score.widths;
    for (const PartLayout::Rest& rest : score.rests) {
        widths[static_cast<std::size_t>(rest.first - 1)] = rest.width;
    }
    Require(reread.widths == widths, "the written widths read back");
    Require(reread.SystemStarts() == score.SystemStarts(), "the written systems read back");
    Require(reread.rests.size() == score.rests.size(), "the written rests read back");
    for (std::size_t rest = 0; rest < score.rests.size(); ++rest) {
        Require(reread.rests[rest].first == score.rests[rest].first &&
                    reread.rests[rest].next == score.rests[rest].next &&
                    reread.rests[rest].width == score.rests[rest].width,
                "each written rest reads back");
    }
    for (const std::string& part : parts) {
        ReadBack(part, host);
    }
    return 0;
}
