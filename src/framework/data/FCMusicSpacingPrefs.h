// The document's music spacing preferences (pfMS), composed from ot94 and ot41 components: the
// limits of a respaced rest width and the spacing ratio.
#pragma once

#include "framework/data/FCPrefsBase.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

class FCMusicSpacingPrefs : public __FCPrefsBase {
public:
    FCMusicSpacingPrefs();

    std::uint32_t ClassID() const override { return 61; }
    const char* ClassName() const override { return "FCMusicSpacingPrefs"; }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCMusicSpacingPrefs; }
    std::uint32_t RecordTag() const override { return RecordTagOf("pfMS"); }
    std::int32_t RecordSize() const override { return kSize; }
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }

    // The lower and upper limit, in EVPUs, of a respaced rest width.
    std::int16_t GetMinimumWidth() const;
    std::int16_t GetMaximumWidth() const;
    // The spacing ratio: the 32-bit value (high half at 24, low half at 22) / 10000.
    float GetSpacingRatio() const;

    static constexpr std::int32_t kSize = 34;

private:
    using MinimumWidth = RecordField<std::int16_t, 2>;
    using MaximumWidth = RecordField<std::int16_t, 4>;
    // The low half is the unsigned lower 16 bits of the value.
    using RatioLow = RecordField<std::uint16_t, 22>;
    using RatioHigh = RecordField<std::int16_t, 24>;

    unsigned char record_[kSize] = {};
    static_assert(sizeof(record_) == 34 && RatioHigh::kEnd <= kSize);
};
