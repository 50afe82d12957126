#include "host/files/Utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t codePoint) {
    return codePoint >= 0xD800 && codePoint <= 0xDFFF;
}

// The code point starting at `at`, advancing past it; none when the bytes there are not UTF-8.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    int continuations = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        continuations = 1;
        codePoint = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        continuations = 2;
        codePoint = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        continuations = 3;
        codePoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < continuations; ++i) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    if (codePoint < smallest || codePoint > kLastCodePoint || IsSurrogate(codePoint)) {
        return std::nullopt;
    }
    return codePoint;
}

void AppendUtf16(std::u16string& text, char32_t codePoint) {
    if (codePoint < 0x10000) {
        text.push_back(static_cast<char16_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

// The code point starting at `at`, advancing past it; a lone surrogate reads as U+FFFD.
char32_t DecodeUtf16(std::u16string_view text, std::size_t& at) {
    const char16_t unit = text[at++];
    if (!IsSurrogate(unit)) {
        return unit;
    }
    const bool high = unit < 0xDC00;
    if (high && at < text.size() && text[at] >= 0xDC00 && text[at] <= 0xDFFF) {
        const char16_t low = text[at++];
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
    }
    return kReplacement;
}

void AppendUtf8(std::string& text, char32_t codePoint) {
    if (codePoint < 0x80) {
        text.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        text.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

} // namespace

std::optional<std::u16string> Utf8::ToUtf16(std::string_view text) {
    std::u16string wide;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::optional<char32_t> codePoint = DecodeUtf8(text, at);
        if (!codePoint) {
            return std::nullopt;
        }
        AppendUtf16(wide, *codePoint);
    }
    return wide;
}

std::string Utf8::FromUtf16(std::u16string_view text) {
    std::string narrow;
    std::size_t at = 0;
    while (at < text.size()) {
        AppendUtf8(narrow, DecodeUtf16(text, at));
    }
    return narrow;
}
