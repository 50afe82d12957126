// Reads a partwise MusicXML score (3.0 to 4.0) into what the stand-in host takes from it.
#pragma once

#include "host/formats/musicxml/MusicXmlScore.h"

#include <string>

class MusicXmlReader {
public:
    // Throws ScoreError naming the part and the measure of the first problem.
    static MusicXmlScore Read(const std::string& text);
};
