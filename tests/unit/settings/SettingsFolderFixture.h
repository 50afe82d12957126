// A fresh host whose settings folder (folder kind 15) is a new temporary directory, handed to the
// plug-in as a Windows path in UTF-16, with helpers to put bytes into and read them out of files.
#pragma once

#include "support/HostFixture.h"

#include <filesystem>
#include <functional>
#include <string>

class SettingsFolderFixture : public HostFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the host name this folder, written with "\" separators as on Windows.
    void UseFolder(const std::filesystem::path& path, const std::u16string& suffix = u"");

    std::filesystem::path SettingsPath() const { return settingsFolder / "zrpluginprefs.txt"; }
    // How many entries the settings folder holds (a temporary file left behind shows here).
    std::size_t FolderEntries() const;

    static void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
    // The file's bytes; empty when it does not exist.
    static std::string ReadBytes(const std::filesystem::path& path);

    // Runs the work in a child process (as the unprivileged user "nobody" when asked and this
    // process is root, so that file permissions apply) and gives its exit status: the work's
    // result, or -1 when the process did not end normally.
    static int RunInChildProcess(const std::function<int()>& work, bool asOtherUser = false);

    std::filesystem::path temporaryRoot;
    std::filesystem::path settingsFolder;
};
