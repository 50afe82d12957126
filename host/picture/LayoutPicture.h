// The picture of what a session did to the layout: the score and each linked part before and
// after, written as an SVG or PNG file, or as a PDF of as many pages as it takes (chosen by the
// file's extension). Only the native build draws; the Windows build answers that pictures are
// not available.
#pragma once

#include "host/picture/LayoutSnapshot.h"

#include <string>

class LayoutPicture {
public:
    // Whether this build can draw pictures at all.
    static bool Available();

    // False with a reason when the path names no picture format this build writes.
    [[nodiscard]] static bool CheckPath(const std::string& path, std::string& error);

    // False with a reason naming the file when the picture of the two snapshots would be too
    // large for the format the path names (or the path names none). The one place that says how
    // large each format may be: a session asks it before it starts, with the layout as it is.
    [[nodiscard]] static bool Check(const std::string& path, const LayoutSnapshot& before,
                                    const LayoutSnapshot& after, const std::string& title,
                                    std::string& error);

    // The encoded picture of the two snapshots under the title, in the format the path names;
    // false with a reason naming the file when it cannot be drawn.
    [[nodiscard]] static bool Draw(const std::string& path, const LayoutSnapshot& before,
                                   const LayoutSnapshot& after, const std::string& title,
                                   std::string& bytes, std::string& error);

    // Draws the picture into the file, written whole or not at all; false with a reason naming
    // the file when it cannot be drawn or written.
    [[nodiscard]] static bool Write(const std::string& path, const LayoutSnapshot& before,
                                    const LayoutSnapshot& after, const std::string& title,
                                    std::string& error);
};
