// A shared settings file as other programs may leave it, loaded into the plug-in's choices and
// saved back. Every line of another program survives the save byte for byte, in its order (as
// the file writes a pair: key and value without the blanks around them), the plug-in's own keys
// are all there, and loading and saving the saved file again changes nothing.
#include "settings/PluginSettingsFile.h"
#include "shell/PluginState.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/LinkedPlugin.h"
#include "tests/support/TemporaryFolder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<std::string_view, 11> kOwnKeys = {"zrstpol_windowx",
                                                       "zrstpol_windowy",
                                                       "zrstpol_processingmode",
                                                       "zrstpol_spacingmode",
                                                       "zrstpol_usesinglerestspacing",
                                                       "zrstpol_singlerestreference",
                                                       "zrstpol_defaultsinglewidth",
                                                       "zrstpol_usemmrestspacing",
                                                       "zrstpol_mmrestscalingfactor",
                                                       "zrstpol_usemmdurationspacing",
                                                       "zrstpol_mmrestreference"};

std::string Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
}

struct Pair {
    std::string key;
    std::string value;
};

// The pairs of the file's lines: a line ends at CR or LF, holds a pair when it has an "=" after
// its first byte, and the blanks around key and value do not count.
std::vector<Pair> PairsOf(std::string_view file) {
    std::vector<Pair> pairs;
    std::size_t start = 0;
    while (start < file.size()) {
        const std::size_t end = std::min(file.find_first_of("\r\n", start), file.size());
        const std::string_view line = file.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && equals > 0) {
            pairs.push_back({Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))});
        }
        start = end + 1;
    }
    return pairs;
}

// Every line that is not the first of one of the plug-in's keys, as "key=value".
std::vector<std::string> ForeignLines(const std::vector<Pair>& pairs) {
    std::vector<std::string> seen;
    std::vector<std::string> lines;
    for (const Pair& pair : pairs) {
        const std::string key = Lowered(pair.key);
        const bool own = std::find(kOwnKeys.begin(), kOwnKeys.end(), key) != kOwnKeys.end();
        if (own && std::find(seen.begin(), seen.end(), key) == seen.end()) {
            seen.push_back(key);
            continue;
        }
        lines.push_back(pair.key + "=" + pair.value);
    }
    return lines;
}

bool HoldsEveryOwnKey(const std::vector<Pair>& pairs) {
    return std::all_of(kOwnKeys.begin(), kOwnKeys.end(), [&](std::string_view own) {
        return std::any_of(pairs.begin(), pairs.end(),
                           [&](const Pair& pair) { return Lowered(pair.key) == own; });
    });
}

// A pair whose key is only blanks is written as a line starting with "=", which no load takes
// as a pair; a file holding one is not expected to read back the same.
bool HoldsPairWithoutKey(const std::vector<Pair>& pairs) {
    return std::any_of(pairs.begin(), pairs.end(),
                       [](const Pair& pair) { return pair.key.empty(); });
}

// The file after the plug-in has started from its defaults, loaded it and saved it.
std::string LoadedAndSaved(const std::filesystem::path& file, const std::string& bytes) {
    TemporaryFolder::WriteBytes(file, bytes);
    PluginSettings = PluginSettingsRecord::Defaults();
    WindowPlacement placement;
    LoadPluginSettings(placement);
    SavePluginSettings(placement);
    return TemporaryFolder::ReadBytes(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TemporaryFolder folder;
    StandInHost& host = StandInHost::Instance();
    LinkedPlugin::Attach(host);
    host.KeepCalls(false);
    host.SetSettingsFolder(TemporaryFolder::WindowsPath(folder.Path()));
    const std::filesystem::path file = folder.Path() / "zrpluginprefs.txt";
    const std::string original(reinterpret_cast<const char*>(data), size);

    const std::string saved = LoadedAndSaved(file, original);
    const std::vector<Pair> savedPairs = PairsOf(saved);
    Require(ForeignLines(savedPairs) == ForeignLines(PairsOf(original)),
            "every line of another program survives, in its order");
    Require(HoldsEveryOwnKey(savedPairs), "the saved file holds every key of the plug-in");
    if (!HoldsPairWithoutKey(savedPairs)) {
        Require(LoadedAndSaved(file, saved) == saved, "a second load and save changes nothing");
    }
    return 0;
}
