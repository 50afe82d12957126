#include "framework/data/FCCellDetail.h"

namespace {

std::int16_t StaffKey(const FCCell& cell) {
    return static_cast<std::int16_t>(cell.GetStaff());
}

std::int16_t MeasureKey(const FCCell& cell) {
    return static_cast<std::int16_t>(cell.GetMeasure());
}

} // namespace

bool __FCCellDetail::LoadFirst() {
    if (!cell_) {
        return false;
    }
    SetKeys(StaffKey(*cell_), MeasureKey(*cell_));
    SetKey(2, 0);
    return LoadData();
}

bool __FCCellDetail::SaveNew() {
    if (!cell_ || GetDataSize() <= 0) {
        return false;
    }
    return CreateWithKeys(StaffKey(*cell_), MeasureKey(*cell_), kNewKey);
}
