// The layout of every part of the stand-in host's document at one moment, as the before/after
// picture shows it: the staff systems, each measure's width and whether any staff of the part has
// something entered in it, and the multimeasure rests, with the score's own measure numbers and
// part names. Taken before a session and after it.
#pragma once

#include "host/model/ScoreTerms.h"

#include <cstdint>
#include <vector>

class HostState;

struct LayoutSnapshot {
    struct Measure {
        std::int16_t width;
        bool empty; // no staff of the part has anything entered in the measure
        bool operator==(const Measure&) const = default;
    };
    struct System {
        std::int32_t first;
        std::int32_t last;
        bool operator==(const System&) const = default;
    };
    struct Rest {
        std::int32_t first;
        std::int32_t last;
        std::int16_t width;
        std::int16_t adjust = 0; // how far the rest's bar is moved
        bool operator==(const Rest&) const = default;
    };
    struct Part {
        std::int16_t id;               // 0 for the score
        std::vector<Measure> measures; // measure 1 first
        std::vector<System> systems;   // in order; systems the layout has not placed are left out
        std::vector<Rest> rests;       // by first measure
        bool operator==(const Part&) const = default;
    };

    // Every part of the host's document, the score first; the current part is left as it was.
    static LayoutSnapshot Take(HostState& host);

    std::vector<Part> parts;
    std::int32_t systemWidth = 0; // what the layout fills each system up to
    ScoreTerms terms{};           // the score's measure numbers and part names
};
