// Stand-in for the Windows file functions the plug-in uses for its settings file. Paths are
// UTF-16 with "\" separators, as on Windows; they reach the native file system as UTF-8 with "/".
#pragma once

#include "platform/native/NativeWindows.h"

#include <cstdio>

#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_WRITE_THROUGH 0x00000008u

extern "C" {
// The C runtime's fopen for UTF-16 paths and modes; null when the path cannot be expressed.
NATIVE_API std::FILE* _wfopen(LPCWSTR path, LPCWSTR mode);
// Renames a file; an existing target is replaced only with MOVEFILE_REPLACE_EXISTING.
NATIVE_API BOOL MoveFileExW(LPCWSTR existing, LPCWSTR target, DWORD flags);
NATIVE_API BOOL DeleteFileW(LPCWSTR path);
}
