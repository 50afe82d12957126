// Two small layouts of one document, before and after a pass, for the picture tests. The score
// has music in measures 1 and 4 and a rest over measures 2-3 that starts in the first of two
// systems; the pass widens the rest, narrows measure 4 and the layout puts all in one system.
// Part 5 has two empty measures and is not changed. A tall layout of many parts of several systems
// each is for pictures of more than one page.
#pragma once

#include "host/picture/LayoutSnapshot.h"

inline LayoutSnapshot PictureBefore() {
    return {{{0,
              {{200, false}, {200, true}, {200, true}, {300, false}},
              {{1, 2}, {3, 4}},
              {{2, 3, 300}}},
             {5, {{100, true}, {100, true}}, {{1, 2}}, {}}},
            1000};
}

inline LayoutSnapshot PictureAfter() {
    return {{{0, {{200, false}, {200, true}, {200, true}, {250, false}}, {{1, 4}}, {{2, 3, 400}}},
             {5, {{100, true}, {100, true}}, {{1, 2}}, {}}},
            1000};
}

// The score and `parts - 1` linked parts, each with `systems` systems of two measures (one with
// music, one empty) of width 100 in a system 1000 wide.
inline LayoutSnapshot TallLayout(std::int16_t parts, std::int32_t systems) {
    LayoutSnapshot layout;
    layout.systemWidth = 1000;
    for (std::int16_t id = 0; id < parts; ++id) {
        LayoutSnapshot::Part part{id, {}, {}, {}};
        for (std::int32_t system = 0; system < systems; ++system) {
            part.measures.push_back({100, false});
            part.measures.push_back({100, true});
            part.systems.push_back({2 * system + 1, 2 * system + 2});
        }
        layout.parts.push_back(std::move(part));
    }
    return layout;
}
