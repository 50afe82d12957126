// Which measures of a staff system are empty (nothing entered on any of its staves, in any
// layer) and which lie inside a multimeasure rest that starts in the system. Made for one system,
// it asks the host for each multimeasure rest of the system at most once: it serves only while
// no rest of the system has been written.
#pragma once

#include "framework/data/FCMultiMeasureRest.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

class FCMusicRegion;
class SystemStaves;

class MeasureClassification {
public:
    // The system's staves and the host's layer count, both already asked for.
    MeasureClassification(const FCMusicRegion& systemRegion, SystemStaves& staves, int layerCount);

    bool IsMeasureEmpty(std::int32_t measure);
    bool IsMeasureInMultiMeasureRest(std::int32_t measure);
    // The multimeasure rest that starts at the measure, handed over once; null when there is
    // none.
    std::unique_ptr<FCMultiMeasureRest> TakeRestAt(std::int32_t measure);

private:
    // A rest of the system as loaded: the measure after its last, and its record until taken.
    struct LoadedRest {
        std::optional<std::int32_t> next;
        std::unique_ptr<FCMultiMeasureRest> record;
    };

    LoadedRest& RestAt(std::int32_t measure);
    bool CellHasEntries(std::int32_t measure, std::int16_t staff);

    std::int32_t firstMeasure_;
    std::int32_t lastMeasure_;
    SystemStaves& staves_;
    int layerCount_;
    std::map<std::int32_t, LoadedRest> rests_;
};
