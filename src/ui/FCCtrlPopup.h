// A drop-down list of a dialog. Its items go to the list as 8-bit text; indices are 0-based here
// while the host counts list choices from 1.
#pragma once

#include "framework/core/FCStrings.h"
#include "ui/FCControl.h"

class FCCtrlPopup : public FCControl {
public:
    using FCControl::FCControl;

    const char* ClassName() const override { return "FCCtrlPopup"; }
    std::int32_t GetKind() const override { return 8; }
    float GetDefaultWidth() const override { return 100; }
    // The control's steps, then the pending items after a reset of the list, then the selection.
    void ApplyCachedState() override;
    void CaptureState() override;

    void Clear();
    void AddItem(const FCString* text);
    // -1 when nothing is selected.
    std::int32_t GetSelectedItem();
    void SetSelectedItem(std::int32_t index);

private:
    std::int32_t selection_ = 0;
    bool selectionSet_ = false;
    FCStrings pendingItems_;
    bool itemsSet_ = false;
};
