// Text from the plug-in as the command line prints it: ASCII as it is, anything else as "?".
#pragma once

#include <string>

inline std::string ReportText(const std::u16string& text) {
    std::string printable;
    for (const char16_t unit : text) {
        printable += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return printable;
}
