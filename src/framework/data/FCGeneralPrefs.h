// The document's general preferences (pfgp, 66 bytes), loaded and saved whole in the layout of
// version 0x0D000000; the system reads the measurement unit.
#pragma once

#include "framework/data/FCPrefsBase.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

class FCGeneralPrefs : public __FCPrefsBase {
public:
    FCGeneralPrefs() : __FCPrefsBase({}) {}

    std::uint32_t ClassID() const override { return 38; }
    const char* ClassName() const override { return "FCGeneralPrefs"; }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCGeneralPrefs; }
    std::uint32_t RecordTag() const override { return RecordTagOf("pfgp"); }
    std::uint32_t RecordVersion() const override { return kVersion; }
    std::int32_t RecordSize() const override { return kSize; }
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }

    // The document's measurement unit code.
    std::int16_t GetMeasurementUnit() const { return MeasurementUnit::Get(RecordData()); }

private:
    static constexpr std::uint32_t kVersion = 0x0D000000;
    static constexpr std::int32_t kSize = 66;

    using MeasurementUnit = RecordField<std::int16_t, 30>;

    unsigned char record_[kSize] = {};
    static_assert(sizeof(record_) == 66 && MeasurementUnit::kEnd <= kSize);
};
