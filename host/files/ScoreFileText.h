// The whole text of a score file.
#pragma once

#include <string>

class ScoreFileText {
public:
    // Throws ScoreError when the file cannot be read.
    static std::string Read(const std::string& path);
};
