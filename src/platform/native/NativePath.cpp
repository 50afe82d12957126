#include "platform/native/NativePath.h"

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

} // namespace

std::optional<std::string> NativePath(LPCWSTR path) {
    if (!path) {
        return std::nullopt;
    }
    if (std::char_traits<char16_t>::compare(path, kLongPathPrefix, kLongPathPrefixUnits) == 0) {
        path += kLongPathPrefixUnits;
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
