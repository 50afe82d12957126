#include "host/FilePath.h"

#include "host/ScoreError.h"

#include <type_traits>

std::filesystem::path FilePath::Of(const std::string& name) {
    // A system whose paths are bytes takes the name's bytes as they are, UTF-8 or not.
    if constexpr (std::is_same_v<std::filesystem::path::value_type, char>) {
        return std::filesystem::path(name);
    } else {
        try {
            return std::filesystem::path(std::u8string(name.begin(), name.end()));
        } catch (const std::filesystem::filesystem_error&) {
            throw ScoreError(name + ": the file name is not UTF-8 text");
        }
    }
}

std::string FilePath::Text(const std::filesystem::path& path) {
    if constexpr (std::is_same_v<std::filesystem::path::value_type, char>) {
        return path.native();
    } else {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    }
}
