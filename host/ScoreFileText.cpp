#include "host/ScoreFileText.h"

#include "host/ScoreError.h"

#include <fstream>
#include <iterator>

std::string ScoreFileText::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ScoreError("cannot be read");
    }
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        throw ScoreError("cannot be read");
    }
    return text;
}
