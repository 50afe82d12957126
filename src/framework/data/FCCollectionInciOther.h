// A collection of the incidences 0, 1, 2, ... stored under one item number, with load, delete
// and replace of all incidences of an item.
#pragma once

#include "framework/data/FCCollectionData.h"
#include "framework/data/FCInciOther.h"

class __FCCollectionInciOther : public __FCCollectionData {
public:
    __FCInciOther* CreateElement() override = 0;

    // Deletes the consecutive incidences from 0 that exist, last first; true when every deletion
    // succeeded, also when there was nothing to delete.
    [[nodiscard]] virtual bool DeleteAllFor(int itemNo);
    // Replaces the contents with the incidences of itemNo, stopping at the first missing one.
    [[nodiscard]] virtual int LoadAllFor(int itemNo);
    // Replaces the item's incidences with the elements, created in collection order.
    [[nodiscard]] virtual bool SaveAllFor(int itemNo);
    // The number of consecutive incidences from 0 of itemNo that load, as many as LoadAllFor
    // would load; only their records are read, and the contents stay as they are.
    [[nodiscard]] int CountFor(int itemNo);
};
