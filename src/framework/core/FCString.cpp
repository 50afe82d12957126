#include "framework/core/FCString.h"

#include "framework/core/LeadingInteger.h"
#include "platform/EightBitText.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

namespace {

// The module whose string table LoadResourceString reads when it is given no module.
HMODULE rememberedModuleHandle = nullptr;

constexpr std::size_t formatWorkAreaSize = 2048;
constexpr int resourceWorkAreaUnits = 1000;
constexpr const char* resourceErrorText = "Resource String Error";
constexpr std::u16string_view whitespaceUnits = u" \r\n\t";
constexpr std::u16string_view lineEndUnits = u"\r\n";

void WidenInto(char16_t* target, const char* text, std::size_t count) {
    std::transform(text, text + count, target, WidenByte);
}

// Position of the first occurrence of needle at or after start, or -1.
std::int64_t FindUnits(std::u16string_view text, std::u16string_view needle, std::uint64_t start) {
    if (start > text.size()) {
        return -1;
    }
    const std::size_t found = text.find(needle, static_cast<std::size_t>(start));
    return found == std::u16string_view::npos ? -1 : static_cast<std::int64_t>(found);
}

std::uint64_t GrowthStep(std::uint64_t oldCapacity) {
    if (oldCapacity <= 1000) {
        return 10;
    }
    return oldCapacity <= 10000 ? 100 : 1000;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// The leading decimal number of a text: [first, last) holds sign, digits, fraction and exponent;
// empty when the text does not start with a number. magnitude is the decimal order of the
// value (123.4 has 3, 0.05 has -1), used to tell an overflow from an underflow.
struct DecimalNumber {
    std::size_t first = 0;
    std::size_t last = 0;
    long magnitude = 0;
    bool negative = false;
};

// Order of a digit sequence before the exponent: digits before the first significant one count
// down after the point, digits of the whole part count up.
long MantissaMagnitude(std::string_view whole, std::string_view fraction) {
    const std::size_t wholeStart = whole.find_first_not_of('0');
    if (wholeStart != std::string_view::npos) {
        return static_cast<long>(whole.size() - wholeStart);
    }
    const std::size_t fractionStart = fraction.find_first_not_of('0');
    return fractionStart == std::string_view::npos ? 0 : -static_cast<long>(fractionStart);
}

// Reads an exponent's digits, held far beyond any float range so long texts cannot overflow it.
long ReadExponent(std::string_view digits, bool negative) {
    long value = 0;
    for (const char digit : digits) {
        value = std::min(value * 10 + (digit - '0'), 100000L);
    }
    return negative ? -value : value;
}

DecimalNumber FindLeadingNumber(std::string_view text) {
    DecimalNumber number;
    std::size_t at = 0;
    while (at < text.size() && IsWhiteSpace(text[at])) {
        ++at;
    }
    number.first = at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        number.negative = text[at] == '-';
        ++at;
    }
    const std::size_t wholeStart = at;
    at = SkipDigits(text, at);
    const std::string_view whole = text.substr(wholeStart, at - wholeStart);
    std::string_view fraction;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionStart = at + 1;
        at = SkipDigits(text, fractionStart);
        fraction = text.substr(fractionStart, at - fractionStart);
    }
    if (whole.empty() && fraction.empty()) {
        return DecimalNumber{};
    }
    number.magnitude = MantissaMagnitude(whole, fraction);
    // An exponent counts only when digits follow the 'e' and its sign.
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponentStart = at + 1;
        const bool negativeExponent = exponentStart < text.size() && text[exponentStart] == '-';
        if (exponentStart < text.size() && (text[exponentStart] == '+' || negativeExponent)) {
            ++exponentStart;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponentStart);
        if (exponentEnd > exponentStart) {
            number.magnitude += ReadExponent(
                text.substr(exponentStart, exponentEnd - exponentStart), negativeExponent);
            at = exponentEnd;
        }
    }
    number.last = at;
    return number;
}

// A value beyond the float range becomes infinity, one below it zero, both with their sign.
float OutOfRangeValue(const DecimalNumber& number) {
    const float value = number.magnitude > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
    return number.negative ? -value : value;
}

float ParseLeadingNumber(std::string_view text) {
    const DecimalNumber number = FindLeadingNumber(text);
    if (number.first == number.last) {
        return 0.0f;
    }
    // from_chars reads a minus sign but no plus sign.
    const std::size_t digitsStart = text[number.first] == '+' ? number.first + 1 : number.first;
    float value = 0.0f;
    const std::from_chars_result result = std::from_chars(
        text.data() + digitsStart, text.data() + number.last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        return OutOfRangeValue(number);
    }
    return result.ec == std::errc() ? value : 0.0f;
}

bool IsOneOf(char16_t unit, std::u16string_view set) {
    return set.find(unit) != std::u16string_view::npos;
}

// The part of text left when units of the trimmed set are removed from the end, then the start.
std::u16string_view TrimmedPart(std::u16string_view text, std::u16string_view trimmed) {
    std::size_t end = text.size();
    while (end > 0 && IsOneOf(text[end - 1], trimmed)) {
        --end;
    }
    std::size_t begin = 0;
    while (begin < end && IsOneOf(text[begin], trimmed)) {
        ++begin;
    }
    return text.substr(begin, end - begin);
}

} // namespace

FCString::FCString() = default;

FCString::FCString(const char* text) {
    SetCString(text);
}

FCString::FCString(const FCString& other) : __FCBase(other) {
    SetString(&other);
}

FCString& FCString::operator=(const FCString& other) {
    SetString(&other);
    return *this;
}

FCString::~FCString() {
    FreeBuffer();
    delete[] cstring_;
}

void FCString::SetCString(const char* text) {
    if (!text) {
        FreeBuffer();
        return;
    }
    const std::size_t count = std::strlen(text);
    Reserve(count);
    WidenInto(buffer_, text, count);
    length_ = count;
    buffer_[length_] = 0;
}

void FCString::SetUTF16(const char16_t* units) {
    SetUnits(units, units ? std::char_traits<char16_t>::length(units) : 0);
}

void FCString::SetUTF16(const char16_t* units, std::uint64_t count) {
    SetUnits(units, units ? count : 0);
}

void FCString::SetString(const FCString* other) {
    if (other == this) {
        return;
    }
    if (!other) {
        SetUnits(nullptr, 0);
        return;
    }
    SetUnits(other->buffer_, other->length_);
}

const char* FCString::GetCString() {
    delete[] cstring_;
    cstring_ = new char[length_ + 1];
    for (std::uint64_t i = 0; i < length_; ++i) {
        cstring_[i] = LowByte(buffer_[i]);
    }
    cstring_[length_] = '\0';
    return cstring_;
}

void FCString::AppendCString(const char* text) {
    if (!text) {
        return;
    }
    const std::size_t count = std::strlen(text);
    Reserve(length_ + count);
    WidenInto(buffer_ + length_, text, count);
    length_ += count;
    buffer_[length_] = 0;
}

int FCString::Format(const char* format, ...) {
    if (!format) {
        SetCString("");
        return 0;
    }
    // vsnprintf is bounded by the work area so that an over-long result is cut to 2047
    // characters instead of running past the end of the buffer.
    char workArea[formatWorkAreaSize];
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(workArea, sizeof workArea, format, arguments);
    va_end(arguments);
    SetCString(written < 0 ? "" : workArea);
    return static_cast<int>(length_);
}

void FCString::SetInteger(std::int32_t value) {
    Format("%d", value);
}

void FCString::SetFloat(float value) {
    // to_chars writes "." whatever the C locale says; a float needs at most 39 whole digits.
    char text[64];
    const std::to_chars_result result = std::to_chars(
        text, text + sizeof text - 1, static_cast<double>(value), std::chars_format::fixed, 6);
    *result.ptr = '\0';
    SetCString(text);
}

float FCString::GetFloat() const {
    std::string text(length_, '\0');
    for (std::uint64_t i = 0; i < length_; ++i) {
        const char byte = LowByte(buffer_[i]);
        text[i] = byte == ',' ? '.' : byte;
    }
    return ParseLeadingNumber(text);
}

std::int64_t FCString::FindString(const FCString* other, std::uint64_t start) const {
    if (!other) {
        return -1;
    }
    return FindUnits({GetUTF16(), length_}, {other->GetUTF16(), other->length_}, start);
}

std::int64_t FCString::FindCString(const char* text, std::uint64_t start) const {
    if (!text) {
        return -1;
    }
    return FindUnits({GetUTF16(), length_}, WidenBytes(text), start);
}

std::int64_t FCString::FindFirstCString(const char* text) const {
    if (!text || *text == '\0') {
        return -1;
    }
    return FindCString(text, 0);
}

bool FCString::ReplaceCString(const char* find, const char* replacement) {
    if (!find || *find == '\0') {
        return false;
    }
    const std::u16string findUnits = WidenBytes(find);
    const std::u16string replacementUnits = WidenBytes(replacement ? replacement : "");
    const std::u16string_view text(GetUTF16(), length_);
    std::u16string result;
    std::size_t copiedUpTo = 0;
    std::size_t found = text.find(findUnits);
    if (found == std::u16string_view::npos) {
        return false;
    }
    // The search goes on after each replaced occurrence, so an inserted replacement is never
    // searched again.
    while (found != std::u16string_view::npos) {
        result.append(text.substr(copiedUpTo, found - copiedUpTo));
        result.append(replacementUnits);
        copiedUpTo = found + findUnits.size();
        found = text.find(findUnits, copiedUpTo);
    }
    result.append(text.substr(copiedUpTo));
    SetUnits(result.data(), result.size());
    return true;
}

bool FCString::DeleteLeft(std::uint64_t count) {
    if (count == 0 || count > length_) {
        return false;
    }
    // Moves the rest of the text and its terminator to the front.
    std::memmove(buffer_, buffer_ + count, (length_ - count + 1) * sizeof(char16_t));
    length_ -= count;
    return true;
}

void FCString::TrimWhitespace() {
    const std::u16string_view kept = TrimmedPart({GetUTF16(), length_}, whitespaceUnits);
    if (kept.size() != length_) {
        SetUnits(kept.data(), kept.size());
    }
}

void FCString::TrimLineEnds() {
    const std::u16string_view kept = TrimmedPart({GetUTF16(), length_}, lineEndUnits);
    if (kept.size() != length_) {
        SetUnits(kept.data(), kept.size());
    }
}

void FCString::Reserve(std::uint64_t count) {
    if (count + 1 < capacity_) {
        return;
    }
    const std::uint64_t step = GrowthStep(capacity_);
    const std::uint64_t newCapacity = step * ((count + step) / step);
    char16_t* grown = new char16_t[newCapacity];
    if (buffer_) {
        std::copy_n(buffer_, std::min(length_ + 1, newCapacity), grown);
    } else {
        grown[0] = 0;
    }
    delete[] buffer_;
    buffer_ = grown;
    capacity_ = newCapacity;
}

bool FCString::LoadResourceString(std::uint32_t id, HMODULE module) {
    if (module) {
        rememberedModuleHandle = module;
    }
    char16_t workArea[resourceWorkAreaUnits];
    const int loaded =
        LoadStringW(rememberedModuleHandle, id, AsPlatformText(workArea), resourceWorkAreaUnits);
    if (loaded > 0 && rememberedModuleHandle) {
        SetUnits(workArea, std::min(loaded, resourceWorkAreaUnits - 1));
        return true;
    }
    SetCString(resourceErrorText);
    return false;
}

bool FCString::IsEqualCString(const char* text) const {
    if (!text) {
        return length_ == 0;
    }
    if (std::strlen(text) != length_) {
        return false;
    }
    for (std::uint64_t i = 0; i < length_; ++i) {
        if (LowByte(buffer_[i]) != text[i]) {
            return false;
        }
    }
    return true;
}

void FCString::SetUnits(const char16_t* units, std::uint64_t count) {
    // The units may lie inside this string's own buffer (a trim keeps a part of the text), and
    // growing frees that buffer, so such units are addressed by their offset.
    const bool insideBuffer = units && buffer_ && std::greater_equal<>()(units, buffer_) &&
                              std::less<>()(units, buffer_ + capacity_);
    const std::ptrdiff_t offset = insideBuffer ? units - buffer_ : 0;
    Reserve(count);
    if (insideBuffer) {
        units = buffer_ + offset;
    }
    if (count > 0) {
        std::memmove(buffer_, units, count * sizeof(char16_t));
    }
    length_ = count;
    buffer_[length_] = 0;
}

void FCString::FreeBuffer() {
    delete[] buffer_;
    buffer_ = nullptr;
    length_ = 0;
    capacity_ = 0;
}
