// Loads the plug-in the way the host does and checks what it answers at start-up: its version,
// its flags, both menu records and its menu status; then shows the dialog of the plug-in's own
// template and works its items as a user would. Prints "N passed, N failed".
#pragma once

#include "platform/Platform.h"

#include <string>

class PluginModule;

class SmokeCheck {
public:
    explicit SmokeCheck(std::string pluginPath) : pluginPath_(std::move(pluginPath)) {}

    // 0 when every check passed.
    int Run();

private:
    void Expect(bool condition, const std::string& what);
    void CheckVersionAndInit(PluginModule& plugin);
    void CheckRecord8(PluginModule& plugin);
    void CheckRecord16(PluginModule& plugin);
    void CheckDialog(PluginModule& plugin);
    void CheckDialogItems(HWND dialog);

    std::string pluginPath_;
    int passed_ = 0;
    int failed_ = 0;
};
