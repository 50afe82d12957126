// Two small layouts of one document, before and after a pass, for the picture tests. The score
// has music in measures 1 and 4 and a rest over measures 2-3 that starts in the first of two
// systems; the pass widens the rest, narrows measure 4 and the layout puts all in one system.
// Part 5 has two empty measures and is not changed.
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
