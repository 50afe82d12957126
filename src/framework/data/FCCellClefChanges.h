// The clef changes of one clef-change list, in order.
#pragma once

#include "framework/data/FCCellClefChange.h"
#include "framework/data/FCCollectionInciOther.h"

class FCCellClefChanges : public __FCCollectionInciOther {
public:
    const char* ClassName() const override { return "FCCellClefChanges"; }
    FCCellClefChange* CreateElement() override { return new FCCellClefChange; }
};
