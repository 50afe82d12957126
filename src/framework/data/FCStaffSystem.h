// One staff system of the laid-out score (SOSS, 28 bytes), item number = system number from 1:
// it holds measures startMeasure through nextMeasure - 1.
#pragma once

#include "framework/core/StaffSystemExtent.h"
#include "framework/data/FCNoInciOther.h"
#include "framework/data/FCSystemStaves.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

#include <memory>

class FCStaffSystem : public __FCNoInciOther, public StaffSystemExtent {
public:
    std::uint32_t ClassID() const override { return 97; }
    const char* ClassName() const override { return "FCStaffSystem"; }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCStaffSystem; }
    std::uint32_t RecordTag() const override { return RecordTagOf("SOSS"); }
    std::int32_t RecordSize() const override { return kSize; }
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }
    [[nodiscard]] bool LoadFirst() override { return Load(1); }

    std::int16_t GetStartMeasure() const override;
    std::int16_t GetNextMeasure() const override;
    std::uint16_t GetSystemFlags() const;
    // A scale in ten-thousandths.
    std::int32_t GetSystemScaling() const;

    // The item number under which the system's staves are listed: the system's own when the
    // host keeps a list per system (from 0x10000000) or the system has its own list (flag bit
    // 14); else 0, the score's list.
    std::int16_t GetStaffListKey() const override;
    // The system's staves in list order, loaded under its staff-list key, for the caller to own.
    std::unique_ptr<FCSystemStaves> CreateSystemStaves() const;
    // Counts the records of the system's staff list; asks nothing else of the host (no staff
    // percentages, no document stamps), as a count needs none of it.
    int CountSystemStaves() const override;

private:
    static constexpr std::int32_t kSize = 28;
    static constexpr std::uint16_t kOwnStaffListFlag = 0x4000;
    static constexpr std::uint32_t kStaffListPerSystemVersion = 0x10000000;

    using StartMeasure = RecordField<std::int16_t, 8>;
    using SystemFlags = RecordField<std::uint16_t, 10>;
    using NextMeasure = RecordField<std::int16_t, 12>;
    using SystemScaling = RecordField<std::int32_t, 14>;

    unsigned char record_[kSize] = {};
    static_assert(sizeof(record_) == 28 && SystemScaling::kEnd <= kSize);
};
