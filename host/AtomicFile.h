// Writes a whole file or nothing: the bytes go to a temporary name beside it, which is then
// renamed over the target, so a failed run never leaves a half-written file.
#pragma once

#include <functional>
#include <ostream>
#include <string>

class AtomicFile {
public:
    // Throws ScoreError naming the file when it cannot be written.
    static void Write(const std::string& path, const std::string& bytes);
    // The same for bytes the writer streams into the file, so they are never all held at once;
    // an exception from the writer leaves no file behind and reaches the caller.
    static void Write(const std::string& path, const std::function<void(std::ostream&)>& write);
};
