// The staff systems of the current part, in the host's order.
#pragma once

#include "framework/data/FCCollectionNoInciOther.h"
#include "framework/data/FCStaffSystem.h"

class FCStaffSystems : public __FCCollectionNoInciOther {
public:
    const char* ClassName() const override { return "FCStaffSystems"; }
    FCStaffSystem* CreateElement() override { return new FCStaffSystem; }
};
