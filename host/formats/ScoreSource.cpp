#include "host/formats/ScoreSource.h"

#include "host/files/FileName.h"

bool ScoreSource::IsJsonPath(const std::string& path) {
    return FileName::LowerExtension(path) == ".json";
}

bool ScoreSource::IsMusicXmlPath(const std::string& path) {
    const std::string extension = FileName::LowerExtension(path);
    return extension == ".musicxml" || extension == ".xml" || extension == ".mxl";
}
