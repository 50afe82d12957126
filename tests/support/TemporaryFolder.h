// A new, empty folder under the system's temporary folder, removed with everything in it when
// the object goes; with the folder's path as the host names it to the plug-in (Windows
// separators, UTF-16) and helpers to put bytes into files and read them back.
#pragma once

#include <filesystem>
#include <string>

class TemporaryFolder {
public:
    TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder();

    const std::filesystem::path& Path() const { return path_; }

    // The path written with "\" separators, as a Windows host names a folder.
    static std::u16string WindowsPath(const std::filesystem::path& path);

    static void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
    // The file's bytes; empty when it does not exist.
    static std::string ReadBytes(const std::filesystem::path& file);

private:
    std::filesystem::path path_;
};
