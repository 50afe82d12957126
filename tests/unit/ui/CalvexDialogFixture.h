// The plug-in run as the host runs it: a host main window, a settings folder of its own, the
// plug-in's real exports to invoke and terminate it, and a user in front of the dialog it shows.
#pragma once

#include "host/session/DialogUser.h"
#include "host/standin/HostMainWindow.h"
#include "settings/SettingsFolderFixture.h"

#include <memory>
#include <string>

class CalvexDialogFixture : public SettingsFolderFixture {
protected:
    void SetUp() override;
    // Terminates the plug-in (as the host does at its end), then closes the host.
    void TearDown() override;

    // The user picks the plug-in's menu item.
    void Invoke();
    // The host unloads the plug-in.
    void Terminate();
    // The dialog the host opened last, and a user in front of it.
    HWND Dialog() const;
    DialogUser User() const { return DialogUser(Dialog()); }
    HWND MainWindow() const { return mainWindow_->Handle(); }

    // Fills the host's document from a score file's text.
    void LoadScore(const std::string& json);

private:
    std::unique_ptr<HostMainWindow> mainWindow_;
};
