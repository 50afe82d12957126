// A score loaded from MusicXML: its text is kept, so that after a session it can be written
// back as MusicXML with only the layout changed, as part files, or in the host's JSON format.
#pragma once

#include "host/formats/ScoreSource.h"
#include "host/formats/musicxml/MusicXmlEncoding.h"
#include "host/formats/musicxml/MusicXmlScaling.h"
#include "host/model/PartLayout.h"

#include <vector>

class MusicXmlScoreSource : public ScoreSource {
public:
    // Throws ScoreError naming the part and the measure of the first problem.
    static std::unique_ptr<ScoreSource> Load(const std::string& path, bool linkedParts,
                                             HostState& host);
    static std::unique_ptr<MusicXmlScoreSource> FromText(std::string text, bool linkedParts,
                                                         HostState& host);

    void CheckOutput(const std::string& path) const override;
    void Save(const std::string& path, HostDocument& document) const override;
    std::vector<std::string> PartFiles(const std::string& folder) const override;
    void SaveParts(const std::string& folder, HostDocument& document) const override;

    // The score as MusicXML with the document's layout, and the files of the linked parts in
    // their order.
    std::string ScoreText(HostDocument& document) const;
    std::vector<std::string> PartTexts(HostDocument& document) const;

    std::vector<std::string> Warnings(const std::string& scorePath, bool partFiles,
                                      HostDocument& document) const override;

private:
    MusicXmlScoreSource(std::string text, MusicXmlEncoding encoding, MusicXmlScaling scaling,
                        bool linkedParts)
        : text_(std::move(text)), encoding_(encoding), scaling_(scaling),
          linkedParts_(linkedParts) {}

    std::string text_; // as UTF-8
    MusicXmlEncoding encoding_;
    MusicXmlScaling scaling_;
    bool linkedParts_;
    std::vector<std::string> partIds_; // of the linked parts, in order; empty without them
    PartLayout loaded_;
};
