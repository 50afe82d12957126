// Seeded random score files that the stand-in host accepts, with values the dialog never
// produces: one to four staves, up to 24 measures of any meter, entries and frame holds anywhere,
// preferences out of their usual ranges, the score and one linked part with systems anywhere in
// order (some not yet placed), multimeasure rests anywhere (overlapping, widths down to 0), and a
// selection.
#pragma once

#include "tests/support/SeededDraw.h"

#include <cstdint>
#include <string>

class RandomDocument {
public:
    explicit RandomDocument(std::uint32_t seed) : draw_(seed) {}

    // The score file of the document.
    std::string Json();

    // Further draws from the same seed, after the document (the user's choices for a pass).
    int Pick(int low, int high) { return draw_.Between(low, high); }

private:
    std::string Entries(int staves, int measures);
    std::string FrameHolds(int staves, int measures);
    std::string Part(int id, int measures);

    SeededDraw draw_;
};
