// Stand-in for the Windows functions used by the plug-in and the stand-in host on the native
// (Linux) build. Only what the project calls is here, with the same names, types and meaning.
#pragma once

#include <cstddef>
#include <cstdint>

#define NATIVE_API __attribute__((visibility("default")))
#define WINAPI
#define CALLBACK

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using WCHAR = char16_t;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LCID = DWORD;
using LCTYPE = DWORD;

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
struct HWND__;
using HWND = HWND__*;
using FARPROC = INT_PTR (*)();

#define TRUE 1
#define FALSE 0
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// The native loader: a module is either a shared object loaded with LoadLibraryW or a table of
// functions registered by name (the stand-in host registers itself as "FINALE.EXE" that way).
using NativeSymbolLookup = void* (*)(const char* name, void* context);

extern "C" {
NATIVE_API HMODULE NativeRegisterModule(const char* name, NativeSymbolLookup lookup, void* context,
                                        const unsigned char* resources, std::size_t resourcesSize);
NATIVE_API void NativeUnregisterModule(HMODULE module);
// The bytes of a resource (type and name are numeric IDs), or null when the module has none.
NATIVE_API const unsigned char* NativeFindResource(HMODULE module, unsigned type, unsigned name,
                                                   std::size_t* size);

// The path is UTF-16 with "\" or "/" separators (platform/native/NativePath.h).
NATIVE_API HMODULE LoadLibraryW(LPCWSTR path);
NATIVE_API BOOL FreeLibrary(HMODULE module);
NATIVE_API HMODULE GetModuleHandleA(LPCSTR name);
NATIVE_API FARPROC GetProcAddress(HMODULE module, LPCSTR name);
NATIVE_API int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);

// Message boxes, beeps and the user's locale; the stand-in answers from a script that tests set
// (platform/native/NativeUserScript.h).
NATIVE_API int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style);
NATIVE_API BOOL MessageBeep(UINT type);
NATIVE_API int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int dataSize);
}

#define MB_OK 0x00000000u
#define MB_YESNO 0x00000004u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONINFORMATION 0x00000040u
#define IDOK 1
#define IDYES 6
#define IDNO 7
#define LOCALE_USER_DEFAULT 0x0400u
#define LOCALE_SDECIMAL 0x0000000Eu

// The file functions, declared apart so each group of stand-ins keeps its own header.
#include "platform/native/NativeFiles.h"
// Windows, dialogs and their items.
#include "platform/native/NativeWindowFunctions.h"
