// A window of the plug-in's dialog template that writes down every handler call, so tests see
// how the messages of the host were routed.
#pragma once

#include "ui/FCControl.h"
#include "ui/FCResourceWindow.h"

#include <functional>
#include <string>
#include <vector>

class TestWindow : public FCResourceWindow {
public:
    TestWindow() : FCResourceWindow(20128) {}

    void InitWindow() override;
    void CloseWindow() override;
    void HandleCancel() override;
    void HandleOk() override;
    void HandleClose() override;
    bool HandleCommand(FCControl* control) override;
    void HandleTabChange(FCControl* control, int tabIndex) override;
    void HandleUpDown(FCControl* control, int step) override;
    void HandleListSelect(FCControl* control, int itemIndex) override;
    void HandleListCheck(FCControl* control, int itemIndex, bool checked) override;
    void HandleTimer(std::uint16_t timerID) override;
    void HandleActivate(bool active) override;
    void HandleResize(int newWidth, int newHeight, int oldWidth, int oldHeight) override;
    bool CanClose() override { return allowClose; }

    std::vector<std::string> log;
    bool allowClose = true;
    bool commandsHandled = false;
    // Runs when the host has created the window, before the framework's initialisation.
    std::function<void(HWND)> beforeInit = [](HWND) {};
    // Runs at the end of the initialisation, after a remembered placement was applied.
    std::function<void(HWND)> afterInit = [](HWND) {};

private:
    void Write(const std::string& entry);
    void WriteFor(const std::string& entry, FCControl* control);
};
