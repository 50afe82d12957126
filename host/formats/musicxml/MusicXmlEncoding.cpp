#include "host/formats/musicxml/MusicXmlEncoding.h"

#include "host/files/ScoreError.h"
#include "host/files/Utf8.h"

#include <algorithm>
#include <cctype>
#include <regex>

namespace {

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kUtf16LeMark = "\xFF\xFE";
const std::string kUtf16BeMark = "\xFE\xFF";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The encoding named by the XML declaration at the start of 8-bit text, stray bytes before it
// included (the writer drops them, so the file written must be read in the same encoding); empty
// without one.
std::string DeclaredEncoding(const std::string& bytes) {
    static const std::regex kDeclaration(R"(^[^<]*<\?xml[^>]*?encoding\s*=\s*["']([^"']*)["'])");
    const std::string start = bytes.substr(0, std::min<std::size_t>(bytes.size(), 256));
    std::smatch match;
    return std::regex_search(start, match, kDeclaration) ? Lower(match[1].str()) : "";
}

std::u16string Units(const std::string& bytes, std::size_t skip, bool bigEndian) {
    if ((bytes.size() - skip) % 2 != 0) {
        throw ScoreError("a UTF-16 file that ends in half a character");
    }
    std::u16string units;
    units.reserve((bytes.size() - skip) / 2);
    for (std::size_t at = skip; at < bytes.size(); at += 2) {
        const auto high = static_cast<unsigned char>(bytes[bigEndian ? at : at + 1]);
        const auto low = static_cast<unsigned char>(bytes[bigEndian ? at + 1 : at]);
        units.push_back(static_cast<char16_t>(high << 8 | low));
    }
    return units;
}

std::u16string Utf16Of(const std::string& text) {
    const std::optional<std::u16string> units = Utf8::ToUtf16(text);
    if (!units) {
        throw ScoreError("the MusicXML text is no UTF-8 and cannot be written in its encoding");
    }
    return *units;
}

} // namespace

MusicXmlEncoding MusicXmlEncoding::Of(const std::string& bytes) {
    if (bytes.starts_with(std::string("\xFF\xFE\0\0", 4)) ||
        bytes.starts_with(std::string("\0\0\xFE\xFF", 4))) {
        throw ScoreError("a UTF-32 file; MusicXML is read in UTF-8, UTF-16 or ISO-8859-1");
    }
    if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(std::string("<\0", 2))) {
        return {Form::kUtf16Le, bytes.starts_with(kUtf16LeMark)};
    }
    if (bytes.starts_with(kUtf16BeMark) || bytes.starts_with(std::string("\0<", 2))) {
        return {Form::kUtf16Be, bytes.starts_with(kUtf16BeMark)};
    }
    if (bytes.starts_with(kUtf8Mark)) {
        return {Form::kUtf8, true};
    }
    const std::string declared = DeclaredEncoding(bytes);
    if (declared.empty() || declared == "utf-8" || declared == "utf8" || declared == "us-ascii" ||
        declared == "ascii" || declared == "utf-16") {
        // A UTF-16 declaration in 8-bit text is a common slip of exporters: the bytes decide.
        return {Form::kUtf8, false};
    }
    if (declared == "iso-8859-1" || declared == "latin1" || declared == "latin-1") {
        return {Form::kLatin1, false};
    }
    throw ScoreError("the file is declared in encoding \"" + declared +
                     "\", which is not read; MusicXML is read in UTF-8, UTF-16 or ISO-8859-1");
}

std::string MusicXmlEncoding::Decode(const std::string& bytes) const {
    const std::size_t mark = byteOrderMark_ ? ByteOrderMark().size() : 0;
    switch (form_) {
    case Form::kUtf16Le:
    case Form::kUtf16Be:
        return Utf8::FromUtf16(Units(bytes, mark, form_ == Form::kUtf16Be));
    case Form::kLatin1: {
        std::u16string units;
        units.reserve(bytes.size());
        for (const char byte : bytes) {
            units.push_back(static_cast<unsigned char>(byte));
        }
        return Utf8::FromUtf16(units);
    }
    case Form::kUtf8:
        break;
    }
    return bytes.substr(mark);
}

std::string MusicXmlEncoding::Encode(const std::string& text) const {
    std::string bytes = byteOrderMark_ ? ByteOrderMark() : "";
    switch (form_) {
    case Form::kUtf16Le:
    case Form::kUtf16Be:
        for (const char16_t unit : Utf16Of(text)) {
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            bytes += form_ == Form::kUtf16Be ? std::string{high, low} : std::string{low, high};
        }
        return bytes;
    case Form::kLatin1:
        for (const char16_t unit : Utf16Of(text)) {
            if (unit > 0xFF) {
                throw ScoreError("the MusicXML text holds a character ISO-8859-1 cannot write");
            }
            bytes += static_cast<char>(unit);
        }
        return bytes;
    case Form::kUtf8:
        break;
    }
    return bytes + text;
}

std::string MusicXmlEncoding::ByteOrderMark() const {
    switch (form_) {
    case Form::kUtf16Le:
        return kUtf16LeMark;
    case Form::kUtf16Be:
        return kUtf16BeMark;
    case Form::kUtf8:
    case Form::kLatin1:
        break;
    }
    return kUtf8Mark;
}
