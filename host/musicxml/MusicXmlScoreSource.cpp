#include "host/musicxml/MusicXmlScoreSource.h"

#include "host/AtomicFile.h"
#include "host/ScoreError.h"
#include "host/ScoreFile.h"
#include "host/ScoreFileWriter.h"
#include "host/StandInHost.h"
#include "host/musicxml/MusicXmlFile.h"
#include "host/musicxml/MusicXmlMapping.h"
#include "host/musicxml/MusicXmlReader.h"
#include "host/musicxml/MusicXmlWriter.h"

#include <cctype>
#include <filesystem>

namespace {

// The editing in place works on UTF-8 text, which is what MusicXML files are written in.
void CheckUtf8(const std::string& text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        throw ScoreError("a UTF-16 file; MusicXML is read as UTF-8");
    }
}

// A file name from the part ID, with only letters, digits, '-', '_' and '.' kept.
std::string PartFileName(const std::string& id) {
    std::string name;
    for (char c : id) {
        name += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.'
                    ? c
                    : '_';
    }
    return name + ".musicxml";
}

} // namespace

std::unique_ptr<ScoreSource> MusicXmlScoreSource::Load(const std::string& path, bool linkedParts,
                                                       StandInHost& host) {
    return FromText(MusicXmlFile::Read(path), linkedParts, host);
}

std::unique_ptr<MusicXmlScoreSource>
MusicXmlScoreSource::FromText(std::string text, bool linkedParts, StandInHost& host) {
    CheckUtf8(text);
    const MusicXmlScore score = MusicXmlReader::Read(text);
    ScoreJson json(MusicXmlMapping::ScoreJson(score, linkedParts).dump());
    ScoreFile::ApplyParsed(json, host);
    std::unique_ptr<MusicXmlScoreSource> source(new MusicXmlScoreSource(
        std::move(text), MusicXmlScaling(score.millimeters, score.tenths), std::move(json)));
    if (linkedParts) {
        for (const MusicXmlPart& part : score.parts) {
            source->partIds_.push_back(part.id);
        }
    }
    source->loaded_ = PartLayout::Of(host.Document(), 0);
    return source;
}

void MusicXmlScoreSource::Save(const std::string& path, HostDocument& document) const {
    if (IsJsonPath(path)) {
        ScoreFileWriter::Write(path, json_, document);
    } else if (IsMusicXmlPath(path) && !path.ends_with(".mxl")) {
        AtomicFile::Write(path, ScoreText(document));
    } else {
        throw ScoreError(path + ": a score is written as .json, .musicxml or .xml");
    }
}

void MusicXmlScoreSource::SaveParts(const std::string& folder, HostDocument& document) const {
    if (partIds_.empty()) {
        throw ScoreError(folder + ": part files need the linked parts (--parts)");
    }
    std::vector<std::pair<std::string, std::string>> files;
    for (std::size_t index = 0; index < partIds_.size(); ++index) {
        files.emplace_back((std::filesystem::path(folder) / PartFileName(partIds_[index])).string(),
                           PartText(index, document));
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const auto& [path, text] : files) {
        AtomicFile::Write(path, text);
    }
}

std::string MusicXmlScoreSource::ScoreText(HostDocument& document) const {
    return MusicXmlWriter::Score(text_, scaling_, loaded_, PartLayout::Of(document, 0));
}

std::string MusicXmlScoreSource::PartText(std::size_t part, HostDocument& document) const {
    return MusicXmlWriter::Part(text_, partIds_[part], scaling_,
                                PartLayout::Of(document, static_cast<std::int16_t>(part + 1)));
}
