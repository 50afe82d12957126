// One modeless dialog that the host shows for a plug-in: made from the plug-in module's own
// template, it hands every message, from WM_INITDIALOG on, to the plug-in's callback together
// with the plug-in's window object.
#pragma once

#include "hostinterface/HostAbi.h"

class HostDialog {
public:
    HostDialog(DialogCallback callback, void* windowObject)
        : callback_(callback), windowObject_(windowObject) {}
    HostDialog(const HostDialog&) = delete;
    HostDialog& operator=(const HostDialog&) = delete;

    // Creates the window; null when the module has no such template or the plug-in destroyed
    // the window while it was being created. This object may be gone when it returns.
    HWND Create(HMODULE module, std::int16_t resourceID, HWND parent);

    HWND Window() const { return window_; }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    DialogCallback callback_;
    void* windowObject_;
    HWND window_ = nullptr;
};
