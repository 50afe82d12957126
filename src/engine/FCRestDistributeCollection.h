// A uniform view of the items the spacing engine works on — empty measures, multimeasure rests
// and measures with music: each has a width, a "duration" its width is to follow, and a record
// that can be written back. The collection owns its items.
#pragma once

#include "framework/core/FCCollection.h"

#include <cstdint>

class FCRestDistributeCollection : public __FCCollection {
public:
    // The staff of every duration query: the system's first slot in its staff list.
    explicit FCRestDistributeCollection(std::int16_t staff) : staff_(staff) {}

    virtual std::int32_t GetItemWidth(int index) const = 0;
    virtual std::int32_t GetItemDuration(int index) const = 0;
    // In memory only; SaveItem writes it to the document.
    virtual void SetItemWidth(int index, std::int16_t width) = 0;
    // Saves the item's record; false when the host refuses it.
    [[nodiscard]] virtual bool SaveItem(int index) = 0;

    std::int16_t GetStaff() const { return staff_; }

private:
    std::int16_t staff_;
};
