// The one door to the operating system: the real Windows headers on Windows, the project's small
// stand-in for the few Windows functions the plug-in and the stand-in host use everywhere else.
#pragma once

#ifdef _WIN32
#include <windows.h>
// After windows.h: the common controls' notifications that dialogs receive.
#include <commctrl.h>
#else
#include "platform/native/NativeWindows.h"
#endif

#include <cstdint>

// UTF-16 text is char16_t in our code; this is the single place where it meets the platform's
// 16-bit character type.
inline LPCWSTR AsPlatformText(const char16_t* text) {
    return reinterpret_cast<LPCWSTR>(text);
}
inline LPWSTR AsPlatformText(char16_t* text) {
    return reinterpret_cast<LPWSTR>(text);
}

// CALVEX_EXPORT marks the plug-in's and the host's exports; CALVEX_ENTRY_POINT the module entry,
// which Windows finds without an export and the native loader finds as a visible symbol.
#ifdef _WIN32
#define CALVEX_EXPORT extern "C" __declspec(dllexport)
#define CALVEX_ENTRY_POINT extern "C"
#else
#define CALVEX_EXPORT extern "C" __attribute__((visibility("default")))
#define CALVEX_ENTRY_POINT extern "C" __attribute__((visibility("default")))
#endif
