// One staff of a staff list (SOIu, 24 bytes), keys (staff list item, position). Besides its
// record it carries the staff's percentage in that list, kept by the host in a separate dtLP
// record keyed (list item, staff ID, 0); no such record means 100.
#pragma once

#include "framework/data/FCInciOther.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

#include <cstdint>

class FCSystemStaff : public __FCInciOther {
public:
    // Usable at once: a zero record of 24 bytes.
    FCSystemStaff();

    std::uint32_t ClassID() const override { return 101; }
    const char* ClassName() const override { return "FCSystemStaff"; }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCSystemStaff; }
    std::uint32_t RecordTag() const override { return RecordTagOf("SOIu"); }
    std::int32_t RecordSize() const override { return kSize; }
    void CopyDataFrom(__FCBaseData* other) override;

    // The record, then its percentage (100 unless the list has its own for the staff).
    [[nodiscard]] bool Load(int listItem, int position) override;
    // The record, then the percentage: 100 removes the percentage record, any other value is
    // stored in it.
    [[nodiscard]] bool Save() override;
    // Creates the record as a new position of the list, then stores the percentage as Save does.
    [[nodiscard]] bool SaveAs(int listItem) override;

    std::int16_t GetStaff() const;
    void SetStaff(std::int16_t staff);
    std::int16_t GetAuxPercent() const { return auxPercent_; }
    void SetAuxPercent(std::int16_t percent) { auxPercent_ = percent; }

private:
    static constexpr std::int32_t kSize = 24;
    static constexpr std::uint32_t kPercentTag = RecordTagOf("dtLP");
    static constexpr std::int32_t kPercentSize = 10;
    static constexpr std::int16_t kFullPercent = 100;

    void LoadAuxPercent();
    [[nodiscard]] bool SaveAuxPercent();

    using Staff = RecordField<std::int16_t, 0>;

    unsigned char record_[kSize] = {};
    static_assert(sizeof(record_) == 24 && Staff::kEnd <= kSize);
    std::int16_t auxPercent_ = kFullPercent;
};
