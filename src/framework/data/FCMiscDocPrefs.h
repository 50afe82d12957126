// The document's miscellaneous preferences (pfMI), composed from 23 components, two of them
// only on newer hosts; the system reads the default clef percentage.
#pragma once

#include "framework/data/FCPrefsBase.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

class FCMiscDocPrefs : public __FCPrefsBase {
public:
    FCMiscDocPrefs();

    std::uint32_t ClassID() const override { return 55; }
    const char* ClassName() const override { return "FCMiscDocPrefs"; }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCMiscDocPrefs; }
    std::uint32_t RecordTag() const override { return RecordTagOf("pfMI"); }
    std::int32_t RecordSize() const override { return kSize; }
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }

    // The percentage applied to clef room when a frame hold carries none of its own.
    std::int16_t GetClefPercentDefault() const;

    static constexpr std::int32_t kSize = 98;

private:
    using ClefPercentDefault = RecordField<std::int16_t, 26>;

    unsigned char record_[kSize] = {};
    static_assert(sizeof(record_) == 98 && ClefPercentDefault::kEnd <= kSize);
};
