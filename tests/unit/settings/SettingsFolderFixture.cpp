#include "settings/SettingsFolderFixture.h"

#include "tests/support/TemporaryFolder.h"

#include <cstdlib>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

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

std::size_t SettingsFolderFixture::FolderEntries() const {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(settingsFolder),
                      std::filesystem::directory_iterator()));
}

int SettingsFolderFixture::RunInChildProcess(const std::function<int()>& work, bool asOtherUser) {
    constexpr uid_t kNobody = 65534;
    const pid_t child = ::fork();
    if (child == 0) {
        if (asOtherUser && ::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(125);
        }
        ::_exit(work());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}
