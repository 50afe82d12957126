#include "host/files/FilePath.h"

#include "host/files/ScoreError.h"

#include <system_error>

// Where paths are bytes, the name's bytes are taken as they are, UTF-8 or not; on Windows the
// UTF-8 name becomes the UTF-16 path.
std::filesystem::path FilePath::Of(const std::string& name) {
    try {
        return std::filesystem::path(std::u8string(name.begin(), name.end()));
    } catch (const std::system_error&) {
        throw ScoreError(name + ": the file name is not UTF-8 text");
    }
}

std::string FilePath::Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
