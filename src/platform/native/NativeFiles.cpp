#include "platform/native/NativeFiles.h"

#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& text, char32_t codePoint) {
    if (codePoint < 0x80) {
        text.push_back(static_cast<char>(codePoint));
        return;
    }
    if (codePoint < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    } else if (codePoint < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    }
    text.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
}

// The UTF-8 path of a UTF-16 Windows path with "\" turned into "/"; none when the path is null
// or holds a lone surrogate, which no UTF-8 name can carry.
std::optional<std::string> NativePath(LPCWSTR path) {
    if (!path) {
        return std::nullopt;
    }
    std::string text;
    for (std::size_t at = 0; path[at] != 0; ++at) {
        char32_t codePoint = path[at];
        if (IsHighSurrogate(codePoint) && IsLowSurrogate(path[at + 1])) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (path[at + 1] - 0xDC00);
            ++at;
        } else if (IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint)) {
            return std::nullopt;
        }
        AppendUtf8(text, codePoint == u'\\' ? U'/' : codePoint);
    }
    return text;
}

bool Exists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
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

BOOL MoveFileExW(LPCWSTR existing, LPCWSTR target, DWORD flags) {
    const std::optional<std::string> from = NativePath(existing);
    const std::optional<std::string> to = NativePath(target);
    if (!from || !to || ((flags & MOVEFILE_REPLACE_EXISTING) == 0 && Exists(*to))) {
        return FALSE;
    }
    return std::rename(from->c_str(), to->c_str()) == 0 ? TRUE : FALSE;
}

BOOL DeleteFileW(LPCWSTR path) {
    const std::optional<std::string> nativePath = NativePath(path);
    return nativePath && ::unlink(nativePath->c_str()) == 0 ? TRUE : FALSE;
}

} // extern "C"
