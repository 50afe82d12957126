// The document's distance preferences (pfDP), composed from fourteen components; the system
// reads the clef distance.
#pragma once

#include "framework/data/FCPrefsBase.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

class FCDistancePrefs : public __FCPrefsBase {
public:
    FCDistancePrefs();

    std::uint32_t ClassID() const override { return 24; }
    const char* ClassName() const override { return "FCDistancePrefs"; }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCDistancePrefs; }
    std::uint32_t RecordTag() const override { return RecordTagOf("pfDP"); }
    std::int32_t RecordSize() const override { return kSize; }
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }

    // The distance, in EVPUs, that clef room takes off its 44 EVPUs.
    std::int16_t GetClefDistance() const;

    static constexpr std::int32_t kSize = 76;

private:
    using ClefDistance = RecordField<std::int16_t, 28>;

    unsigned char record_[kSize] = {};
    static_assert(sizeof(record_) == 76 && ClefDistance::kEnd <= kSize);
};
