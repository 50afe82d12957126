// What every laid-out part must show, checked with GoogleTest: its systems follow each other from
// measure 1, none begins or ends inside a multimeasure rest, each fits the system width (with the
// rounding a kept system may hold) or holds one unit, and together they hold every unit.
#pragma once

#include "host/model/PartFlow.h"
#include "host/model/PartLayout.h"

#include <cstdint>
#include <string>

void ExpectSoundSystems(const PartFlow::Units& units, const PartFlow::Spans& systems,
                        std::int32_t systemWidth, const std::string& where);

inline void ExpectSoundSystems(const PartLayout& layout, std::int32_t systemWidth,
                               const std::string& where) {
    ExpectSoundSystems(layout.Units(), layout.PlacedSystems(), systemWidth, where);
}
