// Text crossing between the command line's UTF-8 and the host's UTF-16.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class Utf8 {
public:
    // The UTF-16 form of well-formed UTF-8; none for bytes that are not UTF-8 (a stray
    // continuation byte, a cut sequence, an overlong form, a surrogate, beyond U+10FFFF).
    static std::optional<std::u16string> ToUtf16(std::string_view text);

    // The UTF-8 form of UTF-16 text; a lone surrogate becomes U+FFFD.
    static std::string FromUtf16(std::u16string_view text);
};
