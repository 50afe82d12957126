// One measure's record (SOMS), item number = measure number from 1. Its layout grew with host
// version 0x12000000: 30 bytes from then on, 26 bytes before; the width is the first field of
// both. The object holds storage for both and uses the one the running host expects.
#pragma once

#include "framework/data/FCNoInciOther.h"
#include "framework/data/RecordLayoutVersions.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

class FCMeasure : public __FCNoInciOther {
public:
    std::uint32_t ClassID() const override { return 49; }
    const char* ClassName() const override { return "FCMeasure"; }
    void* GetRecordBuffer() override;
    __FCBaseData* CreateObject() const override { return new FCMeasure; }
    std::uint32_t RecordTag() const override { return RecordTagOf("SOMS"); }
    std::uint32_t RecordVersion() const override;
    std::int32_t RecordSize() const override;
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }
    [[nodiscard]] bool LoadFirst() override { return Load(1); }

    // Measure 0 does not exist: false without asking the host.
    [[nodiscard]] bool Load(int measure) override;

    // The measure's width in EVPUs.
    std::int16_t GetWidth() const;
    void SetWidth(std::int16_t width);

private:
    static constexpr std::uint32_t kLongLayoutVersion = RecordLayoutVersions::kNewest;
    static constexpr std::uint32_t kShortLayoutVersion = 0x0A000000;
    static constexpr std::int32_t kLongSize = 30;
    static constexpr std::int32_t kShortSize = 26;

    static bool UsesLongLayout();

    using Width = RecordField<std::int16_t, 0>;

    unsigned char longRecord_[kLongSize] = {};
    unsigned char shortRecord_[kShortSize] = {};
    static_assert(sizeof(longRecord_) == 30 && sizeof(shortRecord_) == 26);
    static_assert(Width::kEnd <= kShortSize);
};
