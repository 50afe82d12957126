// 8-bit text is one byte per UTF-16 code unit throughout: a byte becomes the code unit of its
// unsigned value, so 0x80-0xFF stay 0x0080-0x00FF. The host's 8-bit texts, the plug-in's 8-bit
// copies and the native stand-in's code page all widen this way; the plug-in's 8-bit copies keep
// each unit's low byte.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

constexpr char16_t WidenByte(char byte) {
    return static_cast<char16_t>(static_cast<unsigned char>(byte));
}

// The other way: a code unit's 8-bit copy is its low byte.
constexpr char LowByte(char16_t unit) {
    return static_cast<char>(unit & 0xFF);
}

// Every byte of the text, zero bytes included.
inline std::u16string WidenBytes(std::string_view bytes) {
    std::u16string units(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), units.begin(), WidenByte);
    return units;
}
