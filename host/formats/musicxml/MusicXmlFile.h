// The MusicXML text of a score file: the file itself, or for a compressed .mxl the score that
// its container names (META-INF/container.xml), else its first .musicxml or .xml at the top.
#pragma once

#include <string>

class MusicXmlFile {
public:
    // Throws ScoreError saying why the file cannot be read.
    static std::string Read(const std::string& path);
};
