// A cell: one measure on one staff. A plain locator built on the stack; cell-detail records
// refer to one without owning it.
#pragma once

#include "framework/core/FCBase.h"

#include <cstdint>

class FCCell : public __FCBase {
public:
    FCCell(std::int32_t measure, std::int32_t staff) : measure_(measure), staff_(staff) {}

    const char* ClassName() const override { return "FCCell"; }

    std::int32_t GetMeasure() const { return measure_; }
    std::int32_t GetStaff() const { return staff_; }

private:
    std::int32_t measure_;
    std::int32_t staff_;
};
