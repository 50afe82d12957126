#include "settings/SettingsFile.h"

#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "platform/IgnoredResult.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::int16_t kSettingsFolderKind = 15;
constexpr const char* kSettingsFileName = "zrpluginprefs.txt";

FCString TextOf(std::u16string_view units) {
    FCString text;
    text.SetUTF16(units.data(), units.size());
    return text;
}

// Opens the file to read it whole; the state is Read only when the stream is open.
SettingsFileState OpenForReading(std::unique_ptr<FCTextFileStream>& stream) {
    stream = CreateSettingsStream();
    if (!stream) {
        return SettingsFileState::Missing;
    }
    if (!stream->OpenRead()) {
        return stream->Exists() ? SettingsFileState::Unreadable : SettingsFileState::Missing;
    }
    return SettingsFileState::Read;
}

} // namespace

std::unique_ptr<FCTextFileStream> CreateSettingsStream() {
    if (hostVersion < HostAbi::kInterfaceVersion) {
        return nullptr;
    }
    std::array<std::uint16_t, FCFileStream::kFolderUnits> folder{};
    Ignore(HostApi::GetFinalePath(kSettingsFolderKind, folder.data()), Because::Prefilled);
    // Without a folder the path would lead to the root of the current drive.
    if (folder[0] == 0) {
        return nullptr;
    }
    return std::make_unique<FCTextFileStream>(folder.data(), kSettingsFileName);
}

std::unique_ptr<FCSettingsPairs> ParseSettingsLines(const FCStrings& lines) {
    auto pairs = std::make_unique<FCSettingsPairs>();
    for (int index = 0; index < lines.GetCount(); ++index) {
        const FCString* line = lines.GetItemAt(index);
        const std::int64_t equals = line->FindFirstCString("=");
        if (equals <= 0) {
            pairs->AddOtherLine(*line);
            continue;
        }
        const std::u16string_view text(line->GetUTF16(), line->GetLength());
        const auto split = static_cast<std::size_t>(equals);
        pairs->Add(new FCSettingsPair(TextOf(text.substr(0, split)), TextOf(text.substr(split + 1)),
                                      *line));
    }
    return pairs;
}

SettingsFileContents ReadSettingsFile() {
    std::unique_ptr<FCTextFileStream> stream;
    const SettingsFileState state = OpenForReading(stream);
    if (state != SettingsFileState::Read) {
        return {state, nullptr};
    }
    const std::unique_ptr<FCStrings> lines = stream->ReadAllLines();
    std::string bytes = stream->BytesRead();
    if (!stream->Close()) {
        return {SettingsFileState::Unreadable, nullptr};
    }
    std::unique_ptr<FCSettingsPairs> pairs = ParseSettingsLines(*lines);
    pairs->RememberSource(std::move(bytes));
    return {SettingsFileState::Read, std::move(pairs)};
}

SettingsFileBytes ReadSettingsBytes() {
    std::unique_ptr<FCTextFileStream> stream;
    const SettingsFileState state = OpenForReading(stream);
    if (state != SettingsFileState::Read) {
        return {state, std::nullopt};
    }
    std::string bytes = stream->BytesRead();
    if (!stream->Close()) {
        return {SettingsFileState::Unreadable, std::nullopt};
    }
    return {SettingsFileState::Read, std::move(bytes)};
}

std::unique_ptr<FCSettingsPairs> LoadSettingsFile() {
    return ReadSettingsFile().pairs;
}
