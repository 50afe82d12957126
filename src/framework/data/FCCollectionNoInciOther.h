// A collection of records keyed by one item number each.
#pragma once

#include "framework/data/FCCollectionData.h"
#include "framework/data/FCNoInciOther.h"

class __FCCollectionNoInciOther : public __FCCollectionData {
public:
    __FCNoInciOther* CreateElement() override = 0;
};
