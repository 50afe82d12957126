// Small readings of MusicXML text shared by the reader and the writer.
#pragma once

#include <pugixml.hpp>

#include <string>

namespace MusicXmlText {

// The text without the white space around it.
inline std::string Trimmed(const char* text) {
    const std::string value = text;
    const auto first = value.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return value.substr(first, value.find_last_not_of(" \t\r\n") - first + 1);
}

// A yes-no attribute that says yes.
inline bool IsYes(pugi::xml_attribute attribute) {
    return Trimmed(attribute.value()) == "yes";
}

} // namespace MusicXmlText
