// Which measures of a staff system are empty (nothing entered on any of its staves, in any
// layer) and which lie inside a multimeasure rest that starts in the system. Made for one system,
// it finds the system's multimeasure rests once, by walking them: it serves only while no rest of
// the system has been written, and each rest's record is handed over once.
#pragma once

#include "framework/data/FCMultiMeasureRest.h"

#include <cstdint>
#include <map>
#include <memory>

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
    // The rests starting in the system, by first measure, and the measures they cover.
    struct Rests {
        std::map<std::int32_t, std::unique_ptr<FCMultiMeasureRest>> records;
        // Disjoint runs of covered measures: first measure to last, in order.
        std::map<std::int32_t, std::int32_t> covered;
    };

    Rests& SystemRests();
    void Cover(std::int32_t first, std::int32_t last);
    bool CellHasEntries(std::int32_t measure, std::int16_t staff);

    std::int32_t firstMeasure_;
    std::int32_t lastMeasure_;
    SystemStaves& staves_;
    int layerCount_;
    std::unique_ptr<Rests> rests_;
};
