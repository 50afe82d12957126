// Stand-in for the Windows file functions the plug-in uses for its settings file. Paths are
// UTF-16 with "\" separators, as on Windows; they reach the native file system as UTF-8 with "/".
// A path in the long form "\\?\..." that GetFinalPathNameByHandleW gives is accepted everywhere.
#pragma once

#include "platform/native/NativeWindows.h"

#include <cstdint>
#include <cstdio>

using HANDLE = void*;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u
#define CREATE_NEW 1u
#define OPEN_EXISTING 3u
#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_ATTRIBUTE_REPARSE_POINT 0x00000400u
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000u
#define FILE_NAME_NORMALIZED 0x0u
#define VOLUME_NAME_DOS 0x0u
#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_WRITE_THROUGH 0x00000008u
#define ERROR_FILE_NOT_FOUND 2u
#define ERROR_PATH_NOT_FOUND 3u
#define ERROR_ACCESS_DENIED 5u
#define ERROR_FILE_EXISTS 80u
#define ERROR_INVALID_PARAMETER 87u
#define ERROR_INSUFFICIENT_BUFFER 122u
#define ERROR_ALREADY_EXISTS 183u

extern "C" {
// The C runtime's fopen for UTF-16 paths and modes; null when the path cannot be expressed.
NATIVE_API std::FILE* _wfopen(LPCWSTR path, LPCWSTR mode);
// Opens a file. CREATE_NEW creates it only when nothing (no file, folder or link) has the name
// yet; OPEN_EXISTING follows links. The access and sharing modes are those the project uses:
// GENERIC_WRITE, GENERIC_READ or none, and the sharing mode is not enforced.
NATIVE_API HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, void* security,
                              DWORD disposition, DWORD flags, HANDLE templateFile);
NATIVE_API BOOL WriteFile(HANDLE file, const void* bytes, DWORD count, DWORD* written,
                          void* overlapped);
NATIVE_API BOOL FlushFileBuffers(HANDLE file);
NATIVE_API BOOL CloseHandle(HANDLE object);
// The attributes of the file, folder or link at the path itself (a link is not followed):
// read-only when no one may write it, FILE_ATTRIBUTE_REPARSE_POINT for a symbolic link.
NATIVE_API DWORD GetFileAttributesW(LPCWSTR path);
// The full path of an open file with every link resolved, as "\\?\" and the path; the count of
// units written without the terminator, or the room needed when the buffer is too small.
NATIVE_API DWORD GetFinalPathNameByHandleW(HANDLE file, LPWSTR path, DWORD capacity, DWORD flags);
// Renames a file; an existing target is replaced only with MOVEFILE_REPLACE_EXISTING.
NATIVE_API BOOL MoveFileExW(LPCWSTR existing, LPCWSTR target, DWORD flags);
NATIVE_API BOOL DeleteFileW(LPCWSTR path);
NATIVE_API DWORD GetCurrentProcessId();
// The error of the last file function that failed on this thread.
NATIVE_API DWORD GetLastError();
}
