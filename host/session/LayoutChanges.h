// What a session changed in the layout of the score and its linked parts, found by comparing two
// snapshots: runs of measures whose width changed alike, multimeasure rests whose width, bar
// adjustment or span changed (or that came or went), and staff systems whose measures changed.
#pragma once

#include "host/picture/LayoutSnapshot.h"

#include <cstdint>
#include <vector>

struct LayoutChange {
    enum class Kind { Width, Rest, System };
    // A measure run, rest or system on one side; `first` 0 when it is not there.
    struct State {
        std::int32_t first = 0;
        std::int32_t last = 0;
        std::int16_t width = 0;
        std::int16_t adjust = 0;
        bool operator==(const State&) const = default;
    };

    std::int16_t part = 0;
    Kind kind = Kind::Width;
    std::int32_t system = 0; // the system's number, for a system
    State before;
    State after;

    bool operator==(const LayoutChange&) const = default;
};

class LayoutChanges {
public:
    // Part by part as the snapshots list them, the score first: widths, rests, then systems,
    // each in measure order.
    static std::vector<LayoutChange> Between(const LayoutSnapshot& before,
                                             const LayoutSnapshot& after);
};
