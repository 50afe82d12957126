#include "host/formats/musicxml/MusicXmlScoreSource.h"

#include "host/files/AtomicFile.h"
#include "host/files/FileName.h"
#include "host/files/FilePath.h"
#include "host/files/ScoreError.h"
#include "host/formats/ScoreBuilder.h"
#include "host/formats/json/ScoreFileWriter.h"
#include "host/formats/json/ScoreJson.h"
#include "host/formats/musicxml/MusicXmlEncoding.h"
#include "host/formats/musicxml/MusicXmlFile.h"
#include "host/formats/musicxml/MusicXmlMapping.h"
#include "host/formats/musicxml/MusicXmlReader.h"
#include "host/formats/musicxml/MusicXmlWriter.h"
#include "host/model/HostState.h"

#include <cctype>
#include <filesystem>
#include <set>

namespace {

// A file name's stem from the part ID, with only letters, digits, '-', '_' and '.' kept and no
// leading '.' (which would hide the file); an empty ID is named by the part's place.
std::string PartFileStem(const std::string& id, std::size_t index) {
    if (id.empty()) {
        return "part-" + std::to_string(index + 1);
    }
    std::string stem;
    for (char c : id) {
        const bool kept = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ||
                          (c == '.' && !stem.empty());
        stem += kept ? c : '_';
    }
    return stem;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// One file name per part, in the parts' order. IDs that give one name (also when only letter case
// differs, as folders on Windows and macOS do not tell them apart) keep it for the first part;
// the later ones take "-2", "-3"... after the stem, so the names depend only on the IDs.
std::vector<std::string> PartFileNames(const std::vector<std::string>& ids) {
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (std::size_t index = 0; index < ids.size(); ++index) {
        const std::string stem = PartFileStem(ids[index], index);
        std::string name = stem + ".musicxml";
        for (int suffix = 2; !taken.insert(Lower(name)).second; ++suffix) {
            name = stem + "-" + std::to_string(suffix) + ".musicxml";
        }
        names.push_back(name);
    }
    return names;
}

} // namespace

std::unique_ptr<ScoreSource> MusicXmlScoreSource::Load(const std::string& path, bool linkedParts,
                                                       HostState& host) {
    return FromText(MusicXmlFile::Read(path), linkedParts, host);
}

std::unique_ptr<MusicXmlScoreSource>
MusicXmlScoreSource::FromText(std::string bytes, bool linkedParts, HostState& host) {
    const MusicXmlEncoding encoding = MusicXmlEncoding::Of(bytes);
    std::string text = encoding.Decode(bytes);
    bytes = std::string();
    const MusicXmlScore score = MusicXmlReader::Read(text);
    ScoreBuilder builder(host);
    MusicXmlMapping::Build(score, linkedParts, builder);
    std::unique_ptr<MusicXmlScoreSource> source(new MusicXmlScoreSource(
        std::move(text), encoding, MusicXmlScaling(score.millimeters, score.tenths), linkedParts));
    if (linkedParts) {
        for (const MusicXmlPart& part : score.parts) {
            source->partIds_.push_back(part.id);
        }
    }
    source->loaded_ = PartLayout::Of(host.Document(), 0);
    return source;
}

void MusicXmlScoreSource::CheckOutput(const std::string& path) const {
    if (!IsJsonPath(path) && (!IsMusicXmlPath(path) || FileName::LowerExtension(path) == ".mxl")) {
        throw ScoreError(path + ": a score is written as .json, .musicxml or .xml");
    }
}

void MusicXmlScoreSource::Save(const std::string& path, HostDocument& document) const {
    CheckOutput(path);
    if (IsJsonPath(path)) {
        // The score converted afresh: a UTF-8 file may hold bytes that are no UTF-8 in a part's
        // name or a measure's number, which the JSON text holds as U+FFFD.
        const ScoreJson json(MusicXmlMapping::ScoreJson(MusicXmlReader::Read(text_), linkedParts_)
                                 .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
        ScoreFileWriter::Write(path, json, document);
    } else {
        AtomicFile::Write(path, ScoreText(document));
    }
}

std::vector<std::string> MusicXmlScoreSource::PartFiles(const std::string& folder) const {
    if (partIds_.empty()) {
        throw ScoreError(folder + ": part files need the linked parts (--parts)");
    }
    std::vector<std::string> files;
    for (const std::string& name : PartFileNames(partIds_)) {
        files.push_back(FilePath::Text(FilePath::Of(folder) / name));
    }
    return files;
}

void MusicXmlScoreSource::SaveParts(const std::string& folder, HostDocument& document) const {
    const std::vector<std::string> files = PartFiles(folder);
    const std::vector<std::string> texts = PartTexts(document);
    std::error_code error;
    std::filesystem::create_directories(FilePath::Of(folder), error);
    if (error) {
        throw ScoreError(folder + ": the folder cannot be made: " + error.message());
    }
    for (std::size_t index = 0; index < files.size(); ++index) {
        AtomicFile::Write(files[index], texts[index]);
    }
}

std::string MusicXmlScoreSource::ScoreText(HostDocument& document) const {
    return encoding_.Encode(
        MusicXmlWriter::Score(text_, scaling_, loaded_, PartLayout::Of(document, 0)));
}

std::vector<std::string> MusicXmlScoreSource::PartTexts(HostDocument& document) const {
    std::vector<PartLayout> layouts;
    for (std::size_t part = 0; part < partIds_.size(); ++part) {
        layouts.push_back(PartLayout::Of(document, static_cast<std::int16_t>(part + 1)));
    }
    std::vector<std::string> texts = MusicXmlWriter::Parts(text_, partIds_, scaling_, layouts);
    for (std::string& text : texts) {
        text = encoding_.Encode(text);
    }
    return texts;
}

std::vector<std::string> MusicXmlScoreSource::Warnings(const std::string& scorePath, bool partFiles,
                                                       HostDocument& document) const {
    std::vector<std::string> warnings;
    const auto add = [&](const std::string& file, const PartLayout& layout) {
        for (const std::string& lost : MusicXmlWriter::Unwritten(layout)) {
            warnings.push_back(file + ": " + lost);
        }
    };
    if (IsMusicXmlPath(scorePath)) {
        add(scorePath, PartLayout::Of(document, 0));
    }
    const std::vector<std::string> names = PartFileNames(partIds_);
    for (std::size_t part = 0; partFiles && part < names.size(); ++part) {
        add(names[part], PartLayout::Of(document, static_cast<std::int16_t>(part + 1)));
    }
    return warnings;
}
