// The units a length can be shown and typed in; the document's own unit is code 0.
#pragma once

#include <cstdint>

enum MeasurementUnit : std::int16_t {
    kUnitDefault = 0,
    kUnitEVPUs = 1,
    kUnitInches = 2,
    kUnitCentimeters = 3,
    kUnitPoints = 4,
    kUnitPicas = 5,
    kUnitSpaces = 6,
    kUnitMillimeters = 100,
};
