// One staff's record (SOIS), item number = staff ID. Its layout grew twice with the host: 114
// bytes before 0x11000000, 132 from then, 136 from 0x12000000. The object holds storage for all
// three and uses the one the running host expects.
#pragma once

#include "framework/data/FCStaffBase.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

#include <cstdint>

class FCStaff : public __FCStaffBase {
public:
    std::uint32_t ClassID() const override { return 91; }
    const char* ClassName() const override { return "FCStaff"; }
    void* GetRecordBuffer() override;
    __FCBaseData* CreateObject() const override { return new FCStaff; }
    std::uint32_t RecordTag() const override { return RecordTagOf("SOIS"); }
    std::uint32_t RecordVersion() const override;
    std::int32_t RecordSize() const override;
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }
    // The staff of the lowest ID: the record after keys (0, 0).
    [[nodiscard]] bool LoadFirst() override;

    // The clef index the staff starts with.
    std::uint8_t GetDefaultClef() const;

private:
    // 0 for the oldest layout (114 bytes), 1 for the middle one (132), 2 for the current (136).
    static int LayoutInForce();
    static constexpr int kLayouts = 3;
    static constexpr std::int32_t kLargestSize = 136;

    // The low byte holds the clef; the high byte is other staff data.
    using DefaultClef = RecordField<std::uint16_t, 12>;
    static_assert(DefaultClef::kEnd <= 114, "present in every layout");

    unsigned char records_[kLayouts][kLargestSize] = {};
};
