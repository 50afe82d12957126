// The document's multimeasure rest preferences (pfmm), composed from ot25 and ot83 components:
// the default rest width, the rest adjustment and the automatic-update option.
#pragma once

#include "framework/data/FCPrefsBase.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

class FCMultiMeasureRestPrefs : public __FCPrefsBase {
public:
    FCMultiMeasureRestPrefs();

    std::uint32_t ClassID() const override { return 57; }
    const char* ClassName() const override { return "FCMultiMeasureRestPrefs"; }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCMultiMeasureRestPrefs; }
    std::uint32_t RecordTag() const override { return RecordTagOf("pfmm"); }
    std::int32_t RecordSize() const override { return kSize; }
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }

    // The default width, in EVPUs, of a multimeasure rest.
    std::int16_t GetMeasureWidth() const;
    std::int16_t GetRestAdjust() const;
    // Whether the host updates multimeasure rests by itself.
    bool GetAutoUpdate() const;
    void SetAutoUpdate(bool on);

    static constexpr std::int32_t kSize = 26;

private:
    using MeasureWidth = RecordField<std::int16_t, 0>;
    using RestAdjust = RecordField<std::int16_t, 18>;
    using AutoUpdate = RecordField<std::int16_t, 24>;

    unsigned char record_[kSize] = {};
    static_assert(sizeof(record_) == 26 && AutoUpdate::kEnd <= kSize);
};
