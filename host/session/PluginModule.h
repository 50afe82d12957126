// The plug-in as the host sees it: a module loaded from a path and its seven exports, called in
// the host's order (version, init, enumerate, then invocations, then terminate).
#pragma once

#include "hostinterface/PluginExports.h"
#include "platform/Platform.h"

#include <cstdint>
#include <string>

class PluginModule {
public:
    using VersionFn = decltype(&FinaleExtensionVersion);
    using InitFn = decltype(&FinaleExtensionInit);
    using EnumerateFn = decltype(&FinaleExtensionEnumerate);
    using InvokeFn = decltype(&FinaleExtensionInvoke);
    using TerminateFn = decltype(&FinaleExtensionTerminate);
    using MenuStatusFn = decltype(&FinaleExtensionGetMenuStatus);

    PluginModule() = default;
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;
    ~PluginModule();

    // Loads the module and finds its exports; false with a reason when that fails.
    [[nodiscard]] bool Load(const std::string& path, std::string& error);
    void Unload();
    bool IsLoaded() const { return module_ != nullptr; }
    HMODULE Handle() const { return module_; }

    VersionFn version = nullptr;
    InitFn init = nullptr;
    EnumerateFn enumerate = nullptr;
    EnumerateFn enumerateUTF16 = nullptr;
    InvokeFn invoke = nullptr;
    TerminateFn terminate = nullptr;
    MenuStatusFn menuStatus = nullptr;

private:
    HMODULE module_ = nullptr;
};
