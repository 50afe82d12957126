#include "settings/SettingsFolderFixture.h"

#include "tests/support/TemporaryFolder.h"

#include <cstdlib>

void SettingsFolderFixture::SetUp() {
    HostFixture::SetUp();
    std::string pattern = (std::filesystem::temp_directory_path() / "calvex-settings-XXXXXX");
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    temporaryRoot = pattern;
    UseFolder(temporaryRoot);
}

void SettingsFolderFixture::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(temporaryRoot, ignored);
    HostFixture::TearDown();
}

void SettingsFolderFixture::UseFolder(const std::filesystem::path& path,
                                      const std::u16string& suffix) {
    settingsFolder = path;
    host.SetSettingsFolder(TemporaryFolder::WindowsPath(path) + suffix);
}

void SettingsFolderFixture::WriteBytes(const std::filesystem::path& path,
                                       const std::string& bytes) {
    TemporaryFolder::WriteBytes(path, bytes);
}

std::string SettingsFolderFixture::ReadBytes(const std::filesystem::path& path) {
    return TemporaryFolder::ReadBytes(path);
}
