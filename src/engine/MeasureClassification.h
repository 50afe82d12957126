// Which measures of a staff system are empty (nothing entered on any of its staves, in any
// layer) and which lie inside a multimeasure rest that starts in the system.
#pragma once

#include <cstdint>

class FCMusicRegion;

class MeasureClassification {
public:
    static bool IsMeasureEmpty(std::int32_t measure, const FCMusicRegion& systemRegion);
    static bool IsMeasureInMultiMeasureRest(std::int32_t measure,
                                            const FCMusicRegion& systemRegion);
};
