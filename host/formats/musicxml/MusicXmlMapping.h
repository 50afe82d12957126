// How a MusicXML score becomes a document of the stand-in host: staves and clefs, meters,
// entries, clef changes, and the layout of the score (and, when asked, of one linked part per
// MusicXML part, laid out as a notation program lays out extracted parts). The document is built
// directly, or the same document is written in the host's own score-file format.
#pragma once

#include "host/formats/ScoreBuilder.h"
#include "host/formats/musicxml/MusicXmlScore.h"

#include <nlohmann/json.hpp>

class MusicXmlMapping {
public:
    // Both throw ScoreError naming the part and the measure of a value the host cannot hold.
    static void Build(const MusicXmlScore& score, bool linkedParts, ScoreBuilder& builder);
    static nlohmann::json ScoreJson(const MusicXmlScore& score, bool linkedParts);
};
