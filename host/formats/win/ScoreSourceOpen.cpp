// FINALE.EXE reads the stand-in host's JSON score files; MusicXML is converted by the native
// build (finale --score X.musicxml --output X.json).
#include "host/files/ScoreError.h"
#include "host/files/ScoreFileText.h"
#include "host/formats/json/JsonScoreSource.h"

#include <new>

std::unique_ptr<ScoreSource> ScoreSource::Open(const std::string& path, bool linkedParts,
                                               HostState& host) {
    if (!IsJsonPath(path)) {
        throw ScoreError(path + ": this build reads .json scores; convert MusicXML with "
                                "finale --score FILE --output FILE.json");
    }
    if (linkedParts) {
        throw ScoreError(path + ": linked parts are made from MusicXML scores only");
    }
    try {
        return JsonScoreSource::Load(ScoreFileText::Read(path), host);
    } catch (const ScoreError& problem) {
        throw ScoreError(path + ": " + problem.what());
    } catch (const std::bad_alloc&) {
        throw ScoreError(path + ": " + kTooLarge);
    }
}
