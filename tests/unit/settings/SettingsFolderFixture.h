// A fresh host whose settings folder (folder kind 15) is a new temporary directory, handed to the
// plug-in as a Windows path in UTF-16, with helpers to put bytes into and read them out of files.
#pragma once

#include "support/HostFixture.h"

#include <filesystem>
#include <string>

class SettingsFolderFixture : public HostFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the host name this folder, written with "\" separators as on Windows.
    void UseFolder(const std::filesystem::path& path, const std::u16string& suffix = u"");

    std::filesystem::path SettingsPath() const { return settingsFolder / "zrpluginprefs.txt"; }
    std::filesystem::path TemporaryPath() const { return settingsFolder / "zrpluginprefs.txt.tmp"; }

    static void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
    // The file's bytes; empty when it does not exist.
    static std::string ReadBytes(const std::filesystem::path& path);

    std::filesystem::path temporaryRoot;
    std::filesystem::path settingsFolder;
};
