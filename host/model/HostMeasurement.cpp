#include "host/model/HostMeasurement.h"

#include "platform/EightBitText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Four decimals at most, trailing zeros and a bare point dropped, never "-0".
std::string Decimal(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    std::string text = buffer;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::u16string FormatPicas(double evpus) {
    const double magnitude = std::fabs(evpus);
    const double picas = std::trunc(magnitude / EvpusPer::kPica);
    const double points = (magnitude - picas * EvpusPer::kPica) / EvpusPer::kPoint;
    const std::string sign = evpus < 0 && Decimal(magnitude) != "0" ? "-" : "";
    return WidenBytes(sign + Decimal(picas) + "p" + Decimal(points));
}

// Reads an unsigned decimal number (digits, optional "." or "," and digits) at the position and
// moves past it; false when no digit is there.
bool ReadNumber(const std::u16string& text, std::size_t& position, double& value) {
    std::string digits;
    bool sawDigit = false;
    bool sawPoint = false;
    for (; position < text.size(); ++position) {
        const char16_t unit = text[position];
        if (unit >= u'0' && unit <= u'9') {
            digits.push_back(static_cast<char>(unit));
            sawDigit = true;
        } else if ((unit == u'.' || unit == u',') && !sawPoint) {
            digits.push_back('.');
            sawPoint = true;
        } else {
            break;
        }
    }
    value = sawDigit ? std::strtod(digits.c_str(), nullptr) : 0;
    return sawDigit;
}

// Leading blanks and an optional sign; the sign as -1 or 1.
double ReadSign(const std::u16string& text, std::size_t& position) {
    while (position < text.size() && (text[position] == u' ' || text[position] == u'\t')) {
        ++position;
    }
    if (position < text.size() && (text[position] == u'-' || text[position] == u'+')) {
        return text[position++] == u'-' ? -1 : 1;
    }
    return 1;
}

} // namespace

double HostMeasurement::EvpusPerUnit(HostUnit unit) {
    switch (unit) {
    case HostUnit::Inches:
        return EvpusPer::kInch;
    case HostUnit::Centimeters:
        return EvpusPer::kCentimeter;
    case HostUnit::Points:
        return EvpusPer::kPoint;
    case HostUnit::Picas:
        return EvpusPer::kPica;
    case HostUnit::Spaces:
        return EvpusPer::kSpace;
    case HostUnit::Millimeters:
        return EvpusPer::kMillimeter;
    case HostUnit::EVPUs:
        break;
    }
    return 1;
}

std::u16string HostMeasurement::Format(double evpus, HostUnit unit) {
    if (unit == HostUnit::Picas) {
        return FormatPicas(evpus);
    }
    return WidenBytes(Decimal(evpus / EvpusPerUnit(unit)));
}

double HostMeasurement::Parse(const std::u16string& text, HostUnit unit) {
    std::size_t position = 0;
    const double sign = ReadSign(text, position);
    double number = 0;
    if (!ReadNumber(text, position, number)) {
        return 0;
    }
    double evpus = number * EvpusPerUnit(unit);
    if (unit == HostUnit::Picas && position < text.size() && text[position] == u'p') {
        double points = 0;
        ++position;
        ReadNumber(text, position, points);
        evpus += points * EvpusPer::kPoint;
    }
    return sign * evpus;
}
