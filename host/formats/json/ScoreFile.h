// Score files: a whole document for the stand-in host in readable JSON — host version, staves and
// staff lists, meters, entries, frame holds and clef changes, preferences, the score and its
// linked parts with their measures, systems and multimeasure rests, and the selection.
#pragma once

#include <string>

class ScoreJson;
class HostState;

class ScoreFile {
public:
    // Fills a freshly reset host from the JSON text; throws ScoreError naming the place of the
    // first problem.
    static void Apply(const std::string& json, HostState& host);
    // The same for a file already read as JSON.
    static void ApplyParsed(const ScoreJson& document, HostState& host);

    // Reads the file into the host; false with a message naming the file and the place.
    [[nodiscard]] static bool Load(const std::string& path, HostState& host, std::string& error);
};
