#include "host/ScoreFileText.h"

#include "host/ScoreError.h"

#include <filesystem>
#include <fstream>
#include <iterator>

std::string ScoreFileText::Read(const std::string& path) {
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
        std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.bad()) {
            return text;
        }
    } catch (const std::ios_base::failure&) {
    }
    throw ScoreError("cannot be read");
}
