// Where everything of the before/after picture of a session goes, worked out from the two layout
// snapshots and the title alone, so it can be checked without drawing: the title, a legend, and
// for the score and each linked part a panel with its staff systems before (left) and after
// (right), one row per system and one box per measure or multimeasure rest, all to one scale.
#pragma once

#include "host/picture/LayoutSnapshot.h"

#include <cstdint>
#include <string>
#include <vector>

class PicturePlan {
public:
    enum class Kind { Music, Empty, Rest };
    struct Box {
        double x;
        double y;
        double width;
        double height;
        Kind kind;
        std::int32_t first; // the measure, or the first measure of the rest
        std::int32_t count; // how many measures the box stands for: more than one only for a rest
        bool changed;       // its width differs from the other snapshot's, or it has no counterpart
    };
    enum class Style { Title, Heading, Caption, MeasureNumber, RestCount };
    enum class Anchor { Left, Centre };
    struct Label {
        double x;
        double y; // the baseline
        std::string text;
        Style style;
        Anchor anchor;
    };
    struct Rect {
        double x;
        double y;
        double width;
        double height;
    };
    struct VerticalLine {
        double x;
        double top;
        double bottom;
    };

    // A place between two rows, or between two panels, where a page may end and the next begin;
    // the next page names the part whose panel it continues (none between panels).
    struct Cut {
        double y;
        std::string continuedPart;
    };

    static PicturePlan Make(const LayoutSnapshot& before, const LayoutSnapshot& after,
                            const std::string& title);

    std::string title;
    double width = 0;
    double height = 0;
    std::vector<Box> boxes;                     // the measures and rests of every panel, top down
    std::vector<Box> legend;                    // a sample of each kind, and one changed box
    std::vector<Label> labels;                  // top down
    std::vector<Rect> panels;                   // one per part, the score first
    std::vector<VerticalLine> systemWidthMarks; // where the system width ends, in each column
    std::vector<Cut> cuts;                      // from the top down
};
