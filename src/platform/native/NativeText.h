// 8-bit text of the native stand-in is Latin-1: each byte is one UTF-16 code unit, and a code unit
// above 0xFF has no byte ("?"), as a Windows code page without that character answers.
#pragma once

#include "platform/EightBitText.h"

#include <string>

inline std::u16string WidenLatin1(const char* text) {
    return text ? WidenBytes(text) : std::u16string();
}

inline std::string NarrowLatin1(const std::u16string& text) {
    std::string narrow;
    for (const char16_t unit : text) {
        narrow.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
    }
    return narrow;
}

inline std::u16string CopyUTF16(const char16_t* text) {
    return text ? std::u16string(text) : std::u16string();
}
