// One clef change inside a cell (otCE, 12 bytes), keys (clef-change list item, position): the
// clef that takes effect there. A new object is usable at once.
#pragma once

#include "framework/data/FCInciOther.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

#include <cstdint>

class FCCellClefChange : public __FCInciOther {
public:
    FCCellClefChange();

    std::uint32_t ClassID() const override { return 11; }
    const char* ClassName() const override { return "FCCellClefChange"; }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCCellClefChange; }
    std::uint32_t RecordTag() const override { return RecordTagOf("otCE"); }
    std::int32_t RecordSize() const override { return kSize; }
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }

    std::int16_t GetClefIndex() const;

private:
    static constexpr std::int32_t kSize = 12;
    static constexpr std::int16_t kNewValueAt6 = 75;

    using ClefIndex = RecordField<std::int16_t, 0>;
    // A field of the change the system does not interpret; 75 in a new change.
    using ValueAt6 = RecordField<std::int16_t, 6>;

    unsigned char record_[kSize] = {};
    static_assert(sizeof(record_) == 12 && ValueAt6::kEnd <= kSize);
};
