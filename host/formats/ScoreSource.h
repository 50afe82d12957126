// A score file the stand-in host has loaded, kept so the document can be written back after a
// session in the file's own format.
#pragma once

#include <memory>
#include <string>
#include <vector>

class HostDocument;
class HostState;

class ScoreSource {
public:
    virtual ~ScoreSource() = default;

    // Throws ScoreError when the format the file's extension names cannot be written from this
    // source.
    virtual void CheckOutput(const std::string& path) const = 0;
    // Writes the document as it is now to the file, in the format its extension names; throws
    // ScoreError when that format cannot be written from this source or the file cannot be.
    virtual void Save(const std::string& path, HostDocument& document) const = 0;
    // The files SaveParts writes into the folder, one per linked part, each name its own; throws
    // ScoreError when this source has no part files.
    virtual std::vector<std::string> PartFiles(const std::string& folder) const = 0;
    // Writes one file per linked part into the folder (created when missing).
    virtual void SaveParts(const std::string& folder, HostDocument& document) const = 0;
    // What the score file Save writes to the path (none when the path is empty) and, when
    // asked, the files SaveParts writes cannot hold of the document: a line each, naming the
    // file. A format that holds the whole document has none.
    virtual std::vector<std::string> Warnings(const std::string& /*scorePath*/, bool /*partFiles*/,
                                              HostDocument& /*document*/) const {
        return {};
    }

    // Loads the score file (by its extension: .json, or MusicXML where the build reads it) into
    // a freshly reset host; with linkedParts a MusicXML score also gets a linked part per part.
    // Throws ScoreError with a message that names the file.
    static std::unique_ptr<ScoreSource> Open(const std::string& path, bool linkedParts,
                                             HostState& host);

    // Why a score is refused when reading it needs more memory than there is.
    static constexpr const char* kTooLarge = "too large to read in the memory available";

    // Whether the file name's extension names the format.
    static bool IsJsonPath(const std::string& path);
    static bool IsMusicXmlPath(const std::string& path);
};
