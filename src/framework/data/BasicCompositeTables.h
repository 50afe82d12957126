// The record layer's own composite preference tables, chosen by tag and preference number.
#pragma once

#include "framework/data/CompositeRow.h"

#include <cstdint>

class BasicCompositeTables {
public:
    // The table that composes the record (tag, key 1); empty when the record is not composite.
    static CompositeTable Find(std::uint32_t tag, std::int16_t key1);
};
