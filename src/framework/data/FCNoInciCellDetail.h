// A cell detail of which each cell has at most one record (incidence 0).
#pragma once

#include "framework/data/FCCellDetail.h"

class __FCNoInciCellDetail : public __FCCellDetail {
public:
    const char* ClassName() const override { return "__FCNoInciCellDetail"; }
};
