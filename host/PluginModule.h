// The plug-in as the host sees it: a module loaded from a path and its seven exports, called in
// the host's order (version, init, enumerate, then invocations, then terminate).
#pragma once

#include "platform/Platform.h"

#include <cstdint>
#include <string>

class PluginModule {
public:
    using VersionFn = std::uint32_t (*)(std::uint32_t hostVersion);
    using InitFn = std::int32_t (*)(void* reserved, std::uint32_t* flags);
    using EnumerateFn = std::int32_t (*)(void* reserved, std::int16_t index, void* record);
    using InvokeFn = std::int16_t (*)(HWND hostWindow);
    using TerminateFn = void (*)();
    using MenuStatusFn = std::int32_t (*)(void* reserved);

    PluginModule() = default;
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;
    ~PluginModule();

    // Loads the module and finds its exports; false with a reason when that fails.
    bool Load(const std::string& path, std::string& error);
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
