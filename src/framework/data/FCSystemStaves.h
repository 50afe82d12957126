// The staves of one staff list, in list order.
#pragma once

#include "framework/data/FCCollectionInciOther.h"
#include "framework/data/FCSystemStaff.h"

class FCSystemStaves : public __FCCollectionInciOther {
public:
    const char* ClassName() const override { return "FCSystemStaves"; }
    FCSystemStaff* CreateElement() override { return new FCSystemStaff; }
};
