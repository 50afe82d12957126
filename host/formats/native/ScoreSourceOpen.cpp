// The native stand-in host reads its JSON score files and MusicXML (.musicxml, .xml, .mxl).
#include "host/files/ScoreError.h"
#include "host/files/ScoreFileText.h"
#include "host/formats/json/JsonScoreSource.h"

#include "host/formats/musicxml/MusicXmlScoreSource.h"
#include <new>

std::unique_ptr<ScoreSource> ScoreSource::Open(const std::string& path, bool linkedParts,
                                               HostState& host) {
    const bool musicXml = IsMusicXmlPath(path);
    if (!musicXml && linkedParts) {
        throw ScoreError(path + ": linked parts are made from MusicXML scores only");
    }
    try {
        return musicXml ? MusicXmlScoreSource::Load(path, linkedParts, host)
                        : JsonScoreSource::Load(ScoreFileText::Read(path), host);
    } catch (const ScoreError& problem) {
        throw ScoreError(path + ": " + problem.what());
    } catch (const std::bad_alloc&) {
        throw ScoreError(path + ": " + kTooLarge);
    }
}
