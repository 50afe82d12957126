// The settings file shared with other programs: "zrpluginprefs.txt" in the folder the host
// names, one "key=value" line per pair.
#pragma once

#include "framework/core/FCStrings.h"
#include "settings/FCSettingsPairs.h"
#include "settings/FCTextFileStream.h"

#include <memory>
#include <optional>
#include <string>

// A stream for the settings file; none when the host is older than the interface version
// (HostAbi::kInterfaceVersion) or names no folder.
std::unique_ptr<FCTextFileStream> CreateSettingsStream();

// The pairs of the lines that hold a key before their first "="; other lines are skipped.
std::unique_ptr<FCSettingsPairs> ParseSettingsLines(const FCStrings& lines);

// What reading the settings file found: no file, a file that could not be read whole (no
// permission, locked, a read error), or its pairs.
enum class SettingsFileState { Missing, Unreadable, Read };

struct SettingsFileContents {
    SettingsFileState state;
    std::unique_ptr<FCSettingsPairs> pairs; // only when read
};

// The pairs know the bytes they were read from, so that a save can tell whether the file changed
// since (FCSettingsPairs::SaveSettingsFile).
SettingsFileContents ReadSettingsFile();

// A look at the file: its bytes, none when there is no file.
struct SettingsFileBytes {
    SettingsFileState state;
    std::optional<std::string> bytes; // only when read
};

SettingsFileBytes ReadSettingsBytes();

// Every pair of the settings file; none when the file is missing or cannot be read whole.
std::unique_ptr<FCSettingsPairs> LoadSettingsFile();
