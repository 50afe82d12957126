// Records located by an item number: either one record per item (__FCNoInciOther) or several
// incidences under one item (__FCInciOther). Each branch declares its own Load and SaveAs, as
// their keys differ.
#pragma once

#include "framework/data/FCBaseData.h"

class __FCOther : public __FCBaseData {
public:
    const char* ClassName() const override { return "__FCOther"; }
};
