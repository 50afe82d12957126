// A collection of document records of one class: loads every record of the class, each element
// holding its own copy, and saves every element.
#pragma once

#include "framework/core/FCCollection.h"
#include "framework/data/FCBaseData.h"

class __FCCollectionData : public __FCCollection {
public:
    // A new, empty, unloaded object of the element class.
    virtual __FCBaseData* CreateElement() = 0;
    // Replaces the contents with every record of the element class, in the host's order.
    [[nodiscard]] virtual int LoadAll();
    // Saves the elements in order; stops with false at the first failure.
    [[nodiscard]] virtual bool SaveAll();

protected:
    // Adds a new element holding its own copy of the probe's record, keys and document stamp.
    void AddCopyOf(__FCBaseData& probe);
    // The element at index as a data object, or null.
    __FCBaseData* DataAt(int index) const;
};
