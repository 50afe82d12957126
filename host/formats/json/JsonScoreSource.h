// A score loaded from the stand-in host's own JSON format; it is written back as JSON only.
#pragma once

#include "host/formats/ScoreSource.h"
#include "host/formats/json/ScoreJson.h"

class JsonScoreSource : public ScoreSource {
public:
    explicit JsonScoreSource(ScoreJson source) : source_(std::move(source)) {}

    // Throws ScoreError naming the place of the first problem.
    static std::unique_ptr<ScoreSource> Load(std::string text, HostState& host);

    void CheckOutput(const std::string& path) const override;
    void Save(const std::string& path, HostDocument& document) const override;
    std::vector<std::string> PartFiles(const std::string& folder) const override;
    void SaveParts(const std::string& folder, HostDocument& document) const override;

private:
    ScoreJson source_;
};
