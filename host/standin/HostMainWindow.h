// The host program's main window: a real top-level window (hidden), which the host answers to
// FX_GetCurrentWindow and which owns the plug-in's dialog. It lives as long as this object.
#pragma once

#include "platform/Platform.h"

class HostMainWindow {
public:
    HostMainWindow();
    HostMainWindow(const HostMainWindow&) = delete;
    HostMainWindow& operator=(const HostMainWindow&) = delete;
    ~HostMainWindow();

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};
