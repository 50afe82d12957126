// A shared settings file as other programs may leave it, loaded into the plug-in's choices and
// saved back. The save writes every line of another program back as it was read; here each such
// pair is checked to survive in its order (compared by key and value; the settings file's unit
// tests compare the bytes), the plug-in's own keys are all there, and loading and saving the
// saved file again changes nothing.
#include "binding/PluginState.h"
#include "settings/PluginSettingsFile.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/LinkedPlugin.h"
#include "tests/support/SettingsFileModel.h"
#include "tests/support/TemporaryFolder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace SettingsFileModel;

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
    Require(LoadedAndSaved(file, saved) == saved, "a second load and save changes nothing");
    return 0;
}
