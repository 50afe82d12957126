// The picture of what a session did to the layout: the score and each linked part before and
// after, written as an SVG or PNG file (chosen by the file's extension). Only the native build
// draws; the Windows build answers that pictures are not available.
#pragma once

#include "host/picture/LayoutSnapshot.h"

#include <string>

class LayoutPicture {
public:
    // Whether this build can draw pictures at all.
    static bool Available();

    // False with a reason when the path names no picture format this build writes.
    static bool CheckPath(const std::string& path, std::string& error);

    // Draws the two snapshots under the title into the file, written whole or not at all; false
    // with a reason naming the file when it cannot be drawn or written.
    static bool Write(const std::string& path, const LayoutSnapshot& before,
                      const LayoutSnapshot& after, const std::string& title, std::string& error);
};
