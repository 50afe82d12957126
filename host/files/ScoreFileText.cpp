#include "host/files/ScoreFileText.h"

#include "host/files/FilePath.h"
#include "host/files/ScoreError.h"

#include <array>
#include <filesystem>
#include <fstream>

std::string ScoreFileText::Read(const std::string& name) {
    const std::filesystem::path path = FilePath::Of(name);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw ScoreError("is a folder, not a score file");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ScoreError("cannot be read");
    }
    // The library reports some read errors by throwing, others by the stream's state.
    try {
        std::string text;
        // Room for the whole file at once: a text grown while read can take twice its size.
        if (const std::uintmax_t size = std::filesystem::file_size(path, error); !error) {
            text.reserve(static_cast<std::size_t>(size));
        }
        std::array<char, 1 << 16> buffer;
        while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
            text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
        }
        if (!in.bad()) {
            return text;
        }
    } catch (const std::ios_base::failure&) {
    }
    throw ScoreError("cannot be read");
}
