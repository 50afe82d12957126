// One seeded cycle of the plug-in's life as a host drives it: a settings file with other
// programs' keys, a random document, then load the module -> start-up and enumeration ->
// invoke -> random dialog actions (every control, valid and invalid text, message boxes
// answered either way, the dialog closed and shown again) -> Apply -> close -> terminate ->
// unload. Afterwards no entry frame is left with the plug-in, no edit is open, no dialog is
// open, and the settings file is well formed and holds every other program's line.
#pragma once

#include "tests/support/SeededDraw.h"

#include <cstdint>
#include <filesystem>
#include <string>

class PluginModule;

class ValidationCycle {
public:
    ValidationCycle(std::string pluginPath, std::filesystem::path settingsFolder)
        : pluginPath_(std::move(pluginPath)), settingsFolder_(std::move(settingsFolder)) {}

    // Runs the cycle of the seed; empty when it passed, else what went wrong.
    std::string Run(std::uint32_t seed);

private:
    std::string SettingsFileText(SeededDraw& draw) const;
    std::string UseDialog(PluginModule& plugin, SeededDraw& draw) const;
    std::string CheckAfterwards(const std::string& settingsBefore) const;

    std::string pluginPath_;
    std::filesystem::path settingsFolder_;
};
