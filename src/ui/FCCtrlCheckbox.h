// A check box of a dialog, with its check state live or cached. It reports the class name of
// FCControl.
#pragma once

#include "ui/FCControl.h"

class FCCtrlCheckbox : public FCControl {
public:
    using FCControl::FCControl;

    std::int32_t GetKind() const override { return 5; }
    float GetDefaultWidth() const override { return 100; }
    void ApplyCachedState() override;
    void CaptureState() override;
    void SetCheck(std::int16_t state) override;
    std::int16_t GetCheck() override;

private:
    std::int16_t check_ = 0;
    bool checkSet_ = false;
};
