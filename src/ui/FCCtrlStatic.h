// A text label of a dialog.
#pragma once

#include "ui/FCControl.h"

class FCCtrlStatic : public FCControl {
public:
    using FCControl::FCControl;

    const char* ClassName() const override { return "FCCtrlStatic"; }
    std::int32_t GetKind() const override { return 7; }
    float GetDefaultWidth() const override { return 100; }
};
