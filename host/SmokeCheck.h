// Loads the plug-in the way the host does and checks what it answers at start-up: its version,
// its flags, both menu records and its menu status. Prints "N passed, N failed".
#pragma once

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

    std::string pluginPath_;
    int passed_ = 0;
    int failed_ = 0;
};
