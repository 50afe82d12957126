// Writes a document back in the score-file format: the file it was loaded from, with each part's
// measure widths, staff systems and multimeasure rests as the document holds them now.
#pragma once

#include <ostream>
#include <string>

class HostDocument;
class ScoreJson;

class ScoreFileWriter {
public:
    // Streams the file, formatted as the JSON library formats a whole document with an indent of
    // two, one element of each list at the top at a time.
    static void Json(const ScoreJson& source, HostDocument& document, std::ostream& out);
    // Writes the file whole or not at all; throws ScoreError naming it when it cannot be.
    static void Write(const std::string& path, const ScoreJson& source, HostDocument& document);
};
