// Lengths as text: the unit word a user types after a number, reading a length in EVPUs from
// text, and writing one in a unit with the user's decimal separator. All arithmetic is in single
// precision; decimals are cut, not rounded. They live with the document data because unit 0
// stands for the document's own unit, read from its general preferences.
#include "framework/core/FCString.h"
#include "framework/core/FCUI.h"
#include "framework/core/MeasurementUnit.h"
#include "framework/data/FCGeneralPrefs.h"
#include "platform/IgnoredResult.h"

#include <cmath>
#include <string>

namespace {

struct UnitWord {
    const char* word;
    std::int16_t unit;
};

// Tried in this order, the first match winning, so "12in" reads as inches and "5s" as spaces.
constexpr UnitWord kUnitWords[] = {
    {"EVPUs", kUnitEVPUs},    {"evpus", kUnitEVPUs},
    {"inches", kUnitInches},  {"inch", kUnitInches},
    {"in", kUnitInches},      {"centimeters", kUnitCentimeters},
    {"cm", kUnitCentimeters}, {"millimeters", kUnitMillimeters},
    {"mm", kUnitMillimeters}, {"picas", kUnitPicas},
    {"points", kUnitPoints},  {"pts", kUnitPoints},
    {"spaces", kUnitSpaces},  {"sp", kUnitSpaces},
    {"e", kUnitEVPUs},        {"i", kUnitInches},
    {"''", kUnitInches},      {"c", kUnitCentimeters},
    {"pt", kUnitPoints},      {"p", kUnitPicas},
    {"s", kUnitSpaces},
};

constexpr float kEvpusPerInch = 288.0f;
constexpr float kEvpusPerPica = 48.0f;
constexpr float kEvpusPerPoint = 4.0f;
constexpr float kPointsPerEvpu = 0.25f;
constexpr float kEvpusPerSpace = 24.0f;
// Lengths typed in centimetres or millimetres are read at 113.4 EVPUs to the centimetre.
constexpr float kEvpusPerCentimeterRead = 1134.0f / 10.0f;
constexpr float kEvpusPerMillimeterRead = 1134.0f / 100.0f;
// Lengths are written at 113.38583 EVPUs to the centimetre: the figure in units of 1/100000 EVPU,
// so that a length is multiplied up to the same units and divided once.
constexpr float kCentimeterIn100000thsOfEvpu = 11338583.0f;
constexpr float k100000ths = 100000.0f;
constexpr float kMillimetersPerCentimeter = 10.0f;

std::int16_t DocumentUnit() {
    FCGeneralPrefs prefs;
    Ignore(prefs.LoadFirst(), Because::Prefilled);
    return prefs.GetMeasurementUnit();
}

std::int16_t UnitInForce(std::int16_t unit) {
    return unit == kUnitDefault ? DocumentUnit() : unit;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// How many characters a unit word takes at the end of the text, with its full stop; 0 for none.
std::size_t UnitWordLength(const std::string& text, const std::string& word) {
    if (EndsWith(text, word)) {
        return word.size();
    }
    return EndsWith(text, word + ".") ? word.size() + 1 : 0;
}

// EVPUs per unit when reading; 0 for units that have no plain factor.
float EvpusPerUnit(std::int16_t unit) {
    switch (unit) {
    case kUnitEVPUs:
        return 1.0f;
    case kUnitInches:
        return kEvpusPerInch;
    case kUnitCentimeters:
        return kEvpusPerCentimeterRead;
    case kUnitPoints:
        return kEvpusPerPoint;
    case kUnitSpaces:
        return kEvpusPerSpace;
    case kUnitMillimeters:
        return kEvpusPerMillimeterRead;
    default:
        return 0.0f;
    }
}

FCString Slice(const FCString& text, std::uint64_t start, std::uint64_t end) {
    const std::u16string units(text.GetUTF16() + start, text.GetUTF16() + end);
    FCString slice;
    slice.SetUTF16(units.c_str());
    return slice;
}

// X p Y reads as X picas and Y points; a plain number as picas.
float ReadPicas(const FCString& text) {
    const std::int64_t p = text.FindFirstCString("p");
    if (p < 0) {
        return text.GetFloat() * kEvpusPerPica;
    }
    const auto at = static_cast<std::uint64_t>(p);
    return Slice(text, 0, at).GetFloat() * kEvpusPerPica +
           Slice(text, at + 1, text.GetLength()).GetFloat() * kEvpusPerPoint;
}

// "%f" of the value, six decimals, "." whatever the locale.
std::string FixedText(float value) {
    FCString text;
    text.SetFloat(value);
    return text.GetCString();
}

bool IsWholeInteger(float value) {
    return std::trunc(value) == value && std::fabs(value) < 2147483648.0f;
}

std::string EvpuText(float evpus) {
    return IsWholeInteger(evpus) ? std::to_string(static_cast<std::int32_t>(evpus))
                                 : FixedText(evpus);
}

// Whole picas, "p", then the remaining points without their sign: -72 EVPUs read "-1p6". The
// whole picas are the truncated quotient that the points are left from, never the quotient as
// "%f" rounds it: 95.99999 EVPUs are "1p11.99", not "2p11.99".
std::string PicasText(float evpus) {
    const float wholePicas = std::trunc(evpus / kEvpusPerPica);
    const std::string picas = FixedText(wholePicas);
    std::string points = FixedText((evpus - wholePicas * kEvpusPerPica) * kPointsPerEvpu);
    if (!points.empty() && points[0] == '-') {
        points.erase(0, 1);
    }
    return picas.substr(0, picas.find('.')) + "p" + points;
}

// Keeps at most the given digits after the first ".", then drops trailing zeros and a bare ".".
std::string CutDecimals(std::string text, std::size_t digits) {
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos) {
        return text;
    }
    text.resize(std::min(text.size(), dot + 1 + digits));
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

std::string LengthText(float evpus, std::int16_t unit) {
    switch (unit) {
    case kUnitInches:
        return CutDecimals(FixedText(evpus / kEvpusPerInch), 5);
    case kUnitCentimeters:
        return CutDecimals(FixedText(evpus * k100000ths / kCentimeterIn100000thsOfEvpu), 5);
    case kUnitMillimeters:
        // Written like centimetres, with ten times the figure.
        return CutDecimals(FixedText(evpus * (kMillimetersPerCentimeter * k100000ths) /
                                     kCentimeterIn100000thsOfEvpu),
                           5);
    case kUnitPoints:
        return CutDecimals(FixedText(evpus * kPointsPerEvpu), 2);
    case kUnitSpaces:
        return CutDecimals(FixedText(evpus / kEvpusPerSpace), 5);
    case kUnitPicas:
        return CutDecimals(PicasText(evpus), 2);
    default:
        return CutDecimals(EvpuText(evpus), 2);
    }
}

} // namespace

std::int16_t FCString::ExtractMeasurementUnit(std::int16_t defaultUnit) {
    const std::string text = GetCString();
    for (const UnitWord& word : kUnitWords) {
        const std::size_t length = UnitWordLength(text, word.word);
        if (length > 0) {
            *this = Slice(*this, 0, GetLength() - length);
            TrimWhitespace();
            return word.unit;
        }
    }
    return defaultUnit;
}

float FCString::GetMeasurement(std::int16_t unit) const {
    FCString work(*this);
    work.ReplaceCString(",", ".");
    work.TrimWhitespace();
    const std::int16_t inForce = work.ExtractMeasurementUnit(UnitInForce(unit));
    if (inForce == kUnitPicas) {
        return ReadPicas(work);
    }
    return work.GetFloat() * EvpusPerUnit(inForce);
}

void FCString::SetMeasurement(float evpus, std::int16_t unit) {
    SetCString(LengthText(evpus, UnitInForce(unit)).c_str());
    FCString separator;
    FCUI().GetDecimalSeparator(&separator);
    if (!separator.IsEqualCString(".")) {
        ReplaceCString(".", separator.GetCString());
    }
}
