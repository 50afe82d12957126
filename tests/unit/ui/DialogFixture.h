// A stand-in host with its main window, in which the plug-in's dialog 20128 (the real template)
// can be opened, driven by a user and closed again.
#pragma once

#include "host/session/DialogUser.h"
#include "host/standin/HostMainWindow.h"
#include "support/HostFixture.h"
#include "ui/FCResourceWindow.h"

#include <memory>

class DialogFixture : public HostFixture {
protected:
    static constexpr std::int32_t kDialogID = 20128;

    void SetUp() override;
    void TearDown() override;

    HWND MainWindow() const { return mainWindow_->Handle(); }
    // Has the host show the window's dialog; the window's handle afterwards.
    HWND Open(FCResourceWindow& window);
    DialogUser User(const FCResourceWindow& window) const {
        return DialogUser(window.GetWindowHandle());
    }

private:
    std::unique_ptr<HostMainWindow> mainWindow_;
};
