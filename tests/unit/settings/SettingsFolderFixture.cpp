#include "settings/SettingsFolderFixture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

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
    std::u16string windowsPath = path.u16string();
    std::replace(windowsPath.begin(), windowsPath.end(), u'/', u'\\');
    host.SetSettingsFolder(windowsPath + suffix);
}

void SettingsFolderFixture::WriteBytes(const std::filesystem::path& path,
                                       const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

std::string SettingsFolderFixture::ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}
