#include "platform/native/NativeFiles.h"

#include "platform/native/NativePath.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

thread_local DWORD lastError = 0;

DWORD ErrorOf(int error) {
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

// Records the failure in errno for GetLastError and gives the failing result back.
template <typename Result> Result Failed(Result result, int error = errno) {
    lastError = ErrorOf(error);
    return result;
}

int DescriptorOf(HANDLE handle) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(handle)) - 1;
}

// Descriptor 0 is a valid one, so a handle is the descriptor plus one.
HANDLE HandleOf(int descriptor) {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(descriptor) + 1);
}

bool Exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

void AppendUtf16(std::u16string& units, const std::string& utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (int i = 1; i < length && at + i < utf8.size(); ++i) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        }
        at += length;
        if (codePoint >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
        } else {
            units.push_back(codePoint == U'/' ? u'\\' : static_cast<char16_t>(codePoint));
        }
    }
}

} // namespace

extern "C" {

std::FILE* _wfopen(LPCWSTR path, LPCWSTR mode) {
    const std::optional<std::string> nativePath = NativePath(path);
    // Modes are plain ASCII, so the path conversion serves them unchanged.
    const std::optional<std::string> nativeMode = NativePath(mode);
    if (!nativePath || !nativeMode) {
        return nullptr;
    }
    return std::fopen(nativePath->c_str(), nativeMode->c_str());
}

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD /*shareMode*/, void* /*security*/,
                   DWORD disposition, DWORD /*flags*/, HANDLE /*templateFile*/) {
    const std::optional<std::string> nativePath = NativePath(path);
    if (!nativePath) {
        return Failed(INVALID_HANDLE_VALUE, EINVAL);
    }
    int mode = (access & GENERIC_WRITE) != 0 ? O_WRONLY : O_RDONLY;
    if (disposition == CREATE_NEW) {
        // With O_EXCL nothing at the name is ever followed, a link included.
        mode |= O_CREAT | O_EXCL;
    } else if (disposition != OPEN_EXISTING) {
        return Failed(INVALID_HANDLE_VALUE, EINVAL);
    }
    const int descriptor = ::open(nativePath->c_str(), mode | O_CLOEXEC, 0666);
    return descriptor < 0 ? Failed(INVALID_HANDLE_VALUE) : HandleOf(descriptor);
}

BOOL WriteFile(HANDLE file, const void* bytes, DWORD count, DWORD* written, void* /*overlapped*/) {
    const auto* next = static_cast<const unsigned char*>(bytes);
    DWORD done = 0;
    while (done < count) {
        const ssize_t step = ::write(DescriptorOf(file), next + done, count - done);
        if (step < 0 && errno == EINTR) {
            continue;
        }
        if (step <= 0) {
            break;
        }
        done += static_cast<DWORD>(step);
    }
    if (written) {
        *written = done;
    }
    return done == count ? TRUE : Failed(FALSE);
}

BOOL FlushFileBuffers(HANDLE file) {
    return ::fsync(DescriptorOf(file)) == 0 ? TRUE : Failed(FALSE);
}

BOOL CloseHandle(HANDLE object) {
    return ::close(DescriptorOf(object)) == 0 ? TRUE : Failed(FALSE);
}

DWORD GetFileAttributesW(LPCWSTR path) {
    const std::optional<std::string> nativePath = NativePath(path);
    struct stat status {};
    if (!nativePath) {
        return Failed(INVALID_FILE_ATTRIBUTES, EINVAL);
    }
    if (::lstat(nativePath->c_str(), &status) != 0) {
        return Failed(INVALID_FILE_ATTRIBUTES);
    }
    if (S_ISLNK(status.st_mode)) {
        return FILE_ATTRIBUTE_REPARSE_POINT;
    }
    DWORD attributes = S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

DWORD GetFinalPathNameByHandleW(HANDLE file, LPWSTR path, DWORD capacity, DWORD /*flags*/) {
    char target[PATH_MAX + 1];
    const std::string link = "/proc/self/fd/" + std::to_string(DescriptorOf(file));
    const ssize_t length = ::readlink(link.c_str(), target, PATH_MAX);
    if (length < 0) {
        return Failed(DWORD{0});
    }
    std::u16string units(kLongPathPrefix, kLongPathPrefixUnits);
    AppendUtf16(units, std::string(target, static_cast<std::size_t>(length)));
    if (units.size() >= capacity) {
        lastError = ERROR_INSUFFICIENT_BUFFER;
        return static_cast<DWORD>(units.size() + 1);
    }
    std::char_traits<char16_t>::copy(path, units.c_str(), units.size() + 1);
    return static_cast<DWORD>(units.size());
}

BOOL MoveFileExW(LPCWSTR existing, LPCWSTR target, DWORD flags) {
    const std::optional<std::string> from = NativePath(existing);
    const std::optional<std::string> to = NativePath(target);
    if (!from || !to) {
        return Failed(FALSE, EINVAL);
    }
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0 && Exists(*to)) {
        return Failed(FALSE, EEXIST);
    }
    return std::rename(from->c_str(), to->c_str()) == 0 ? TRUE : Failed(FALSE);
}

BOOL DeleteFileW(LPCWSTR path) {
    const std::optional<std::string> nativePath = NativePath(path);
    if (!nativePath) {
        return Failed(FALSE, EINVAL);
    }
    return ::unlink(nativePath->c_str()) == 0 ? TRUE : Failed(FALSE);
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(::getpid());
}

DWORD GetLastError() {
    return lastError;
}

} // extern "C"
