// One multimeasure rest (24 bytes), item number = the rest's first measure; it spans that
// measure through nextMeasure - 1. A new object is usable at once: a zero record of width 300.
#pragma once

#include "framework/data/FCNoInciOther.h"
#include "hostinterface/RecordBytes.h"

class FCMultiMeasureRest : public __FCNoInciOther {
public:
    FCMultiMeasureRest();

    std::uint32_t ClassID() const override { return 56; }
    const char* ClassName() const override { return "FCMultiMeasureRest"; }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCMultiMeasureRest; }
    std::uint32_t RecordTag() const override { return kTag; }
    std::int32_t RecordSize() const override { return kSize; }
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }
    // The rest of the lowest first measure: a look at measure 0, then the next record.
    [[nodiscard]] bool LoadFirst() override;
    // The rest of the lowest first measure from `first` through `last`: the host walks its rests
    // from just before `first`, and only a rest inside the range is loaded. False when the range
    // holds none that loads.
    [[nodiscard]] bool LoadFirstIn(std::int32_t first, std::int32_t last);
    // Multimeasure rests are made by the host, never by the plug-in.
    [[nodiscard]] bool SaveNew() override { return false; }

    std::int16_t GetWidth() const;
    void SetWidth(std::int16_t width);
    std::int16_t GetNextMeasure() const;
    void SetNextMeasure(std::int16_t measure);
    // Compared with the rest's measure count when restFlags bit 0 is set.
    std::int16_t GetCountLimit() const;
    void SetCountLimit(std::int16_t limit);
    std::int16_t GetRestAdjust() const;
    void SetRestAdjust(std::int16_t adjust);
    std::uint16_t GetRestFlags() const;
    void SetRestFlags(std::uint16_t flags);

private:
    static constexpr std::uint32_t kTag = 0x4F025849;
    static constexpr std::int32_t kSize = 24;
    static constexpr std::int16_t kNewWidth = 300;

    using Width = RecordField<std::int16_t, 0>;
    using NextMeasure = RecordField<std::int16_t, 2>;
    using CountLimit = RecordField<std::int16_t, 10>;
    using RestAdjust = RecordField<std::int16_t, 18>;
    using RestFlags = RecordField<std::uint16_t, 22>;

    unsigned char record_[kSize] = {};
    static_assert(sizeof(record_) == 24 && RestFlags::kEnd <= kSize);
};
