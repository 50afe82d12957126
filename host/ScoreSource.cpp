#include "host/ScoreSource.h"

#include <algorithm>
#include <cctype>

namespace {

std::string LowerExtension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

bool ScoreSource::IsJsonPath(const std::string& path) {
    return LowerExtension(path) == ".json";
}

bool ScoreSource::IsMusicXmlPath(const std::string& path) {
    const std::string extension = LowerExtension(path);
    return extension == ".musicxml" || extension == ".xml" || extension == ".mxl";
}
