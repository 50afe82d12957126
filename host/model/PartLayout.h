// The layout of one part of the stand-in host's document as its records hold it now: measure
// widths, staff systems and multimeasure rests. The layout update flows it, the report and the
// picture show it, the score writers compare and write it.
#pragma once

#include "host/model/PartFlow.h"

#include <cstdint>
#include <vector>

class HostDocument;

struct PartLayout {
    struct System {
        std::int16_t first;
        std::int16_t next;
        std::int16_t flags;
        std::int32_t scaling;
        bool operator==(const System&) const = default;
    };
    struct Rest {
        std::int16_t first;
        std::int16_t next;
        std::int16_t width;
        std::int16_t countLimit;
        std::int16_t restAdjust;
        std::int16_t flags;
        bool operator==(const Rest&) const = default;
    };

    std::vector<std::int16_t> widths; // measure 1 first
    std::vector<System> systems;
    std::vector<Rest> rests;

    static PartLayout Of(HostDocument& document, std::int16_t part);

    // The first measures of the systems after the first, leaving out any that lies under a
    // multimeasure rest: a system never begins inside a rest.
    std::vector<std::int16_t> SystemStarts() const;

    // The measures and multimeasure rests as the layout places them.
    PartFlow::Units Units() const;
    // The systems the layout has placed (first measure above 0).
    PartFlow::Spans PlacedSystems() const;
};
