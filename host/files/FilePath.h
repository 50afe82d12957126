// The host's file names are UTF-8 text; the operating system takes them as its own paths (UTF-16
// on Windows), so every file the host opens, reads, writes or renames goes through here.
#pragma once

#include <filesystem>
#include <string>

class FilePath {
public:
    // The path of the name: UTF-8 on Windows (throws ScoreError naming it when it is not),
    // bytes taken as they are where paths are bytes.
    static std::filesystem::path Of(const std::string& name);
    // The path's name as UTF-8 text.
    static std::string Text(const std::filesystem::path& path);
};
