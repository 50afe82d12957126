// A distribute collection of one kind of record with a width: the item's width is the record's,
// a new width is set on the record and saved with it. Each kind says what its duration is.
#pragma once

#include "engine/FCRestDistributeCollection.h"

template <typename Record> class FCRecordDistributeCollection : public FCRestDistributeCollection {
public:
    using FCRestDistributeCollection::FCRestDistributeCollection;

    std::int32_t GetItemWidth(int index) const override { return GetRecord(index)->GetWidth(); }
    void SetItemWidth(int index, std::int16_t width) override { GetRecord(index)->SetWidth(width); }
    [[nodiscard]] bool SaveItem(int index) override { return GetRecord(index)->Save(); }

    Record* GetRecord(int index) const { return static_cast<Record*>(GetItemAt(index)); }
};
