#include "host/formats/json/JsonScoreSource.h"

#include "host/files/ScoreError.h"
#include "host/formats/json/ScoreFile.h"
#include "host/formats/json/ScoreFileWriter.h"

std::unique_ptr<ScoreSource> JsonScoreSource::Load(std::string text, HostState& host) {
    ScoreJson source(std::move(text));
    ScoreFile::ApplyParsed(source, host);
    return std::make_unique<JsonScoreSource>(std::move(source));
}

void JsonScoreSource::CheckOutput(const std::string& path) const {
    if (!IsJsonPath(path)) {
        throw ScoreError(path + ": a JSON score is written as .json only");
    }
}

void JsonScoreSource::Save(const std::string& path, HostDocument& document) const {
    CheckOutput(path);
    ScoreFileWriter::Write(path, source_, document);
}

std::vector<std::string> JsonScoreSource::PartFiles(const std::string& folder) const {
    throw ScoreError(folder + ": part files are written for MusicXML scores only");
}

void JsonScoreSource::SaveParts(const std::string& folder, HostDocument&) const {
    PartFiles(folder);
}
