// The files a session is asked to write, checked together before the session starts: each can be
// written, and none is the score it reads or another of them. Files are compared by identity (a
// link, another spelling of the path or a second name of one file is still that file).
#pragma once

#include <string>
#include <vector>

class OutputFiles {
public:
    // Throws ScoreError for the first output that is the same file as the input or as an output
    // before it.
    static void CheckDistinct(const std::string& input, const std::vector<std::string>& outputs);
    // Whether the two names lead to one file (or, for files not made yet, to one place).
    static bool SameFile(const std::string& first, const std::string& second);
    // Throws ScoreError when the folder exists and is no folder; true when it exists.
    static bool CheckFolder(const std::string& folder);
};
