#include "framework/data/FCCellClefChange.h"

FCCellClefChange::FCCellClefChange() {
    ValueAt6::Set(record_, kNewValueAt6);
    SetDataSize(kSize);
}

std::int16_t FCCellClefChange::GetClefIndex() const {
    return ClefIndex::Get(RecordData());
}
