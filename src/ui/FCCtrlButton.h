// A push button of a dialog; its command kind tells whether it confirms or closes the dialog.
// It reports the class name of FCControl.
#pragma once

#include "ui/FCCtrlCheckbox.h"

class FCCtrlButton : public FCCtrlCheckbox {
public:
    using FCCtrlCheckbox::FCCtrlCheckbox;

    std::int32_t GetKind() const override { return 4; }
    float GetDefaultWidth() const override { return 60; }
};
