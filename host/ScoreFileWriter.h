// Writes a document back in the score-file format: the file it was loaded from, with each part's
// measure widths, staff systems and multimeasure rests as the document holds them now.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

class HostDocument;

class ScoreFileWriter {
public:
    static std::string Json(const nlohmann::json& source, HostDocument& document);
};
