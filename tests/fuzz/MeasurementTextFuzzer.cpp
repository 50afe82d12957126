// Text typed where a length is asked for, read in each measurement unit by the plug-in (the
// string's own reader) and by the stand-in host (its dialog items' reader). Reading never faults,
// a unit word always names a known unit, and a length written as text and read back in the same
// unit comes back within what the written decimals can hold. The last byte of the input picks
// the unit, the rest is the text.
#include "framework/core/FCString.h"
#include "framework/core/MeasurementUnit.h"
#include "host/model/HostMeasurement.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/LinkedPlugin.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

struct Unit {
    std::int16_t code;
    HostUnit hostUnit;
    // EVPUs that the last written decimal stands for, when the plug-in writes the unit.
    float writtenStep;
};

// Centimetres and millimetres are read with 113.4 and written with 113.38583 EVPUs to the
// centimetre, so their lengths come back up to that much larger.
constexpr double kCentimetreMismatch = 113.4 / 113.38583 - 1.0;

constexpr Unit kUnits[] = {
    {kUnitEVPUs, HostUnit::EVPUs, 0.01f},
    {kUnitInches, HostUnit::Inches, 288e-5f},
    {kUnitCentimeters, HostUnit::Centimeters, 113.4e-5f},
    {kUnitPoints, HostUnit::Points, 0.04f},
    {kUnitPicas, HostUnit::Picas, 0.04f},
    {kUnitSpaces, HostUnit::Spaces, 24e-5f},
    {kUnitMillimeters, HostUnit::Millimeters, 11.34e-5f},
};

bool IsKnownUnit(std::int16_t code) {
    return code == kUnitDefault ||
           std::any_of(std::begin(kUnits), std::end(kUnits),
                       [code](const Unit& unit) { return unit.code == code; });
}

FCString TextOf(const std::u16string& units) {
    FCString text;
    text.SetUTF16(units.c_str());
    return text;
}

// The plug-in's own reader and writer; lengths a dialog can show (0 up to a million EVPUs).
void CheckPluginReader(const std::u16string& typed, const Unit& unit) {
    FCString words = TextOf(typed);
    Require(IsKnownUnit(words.ExtractMeasurementUnit(unit.code)), "a unit word names a known unit");
    TextOf(typed).GetMeasurement(kUnitDefault);

    const float evpus = TextOf(typed).GetMeasurement(unit.code);
    if (!(evpus >= 0.0f && evpus <= 1e6f)) {
        return;
    }
    FCString written;
    written.SetMeasurement(evpus, unit.code);
    const float back = written.GetMeasurement(unit.code);
    const double mismatch =
        unit.code == kUnitCentimeters || unit.code == kUnitMillimeters ? kCentimetreMismatch : 0;
    const double tolerance = unit.writtenStep + evpus * (1e-6 + mismatch);
    Require(std::fabs(static_cast<double>(back) - evpus) <= tolerance,
            "the plug-in reads back the length it wrote");
}

// The host's reader and writer, on any length up to a billion EVPUs either way.
void CheckHostReader(const std::u16string& typed, const Unit& unit) {
    const double evpus = HostMeasurement::Parse(typed, unit.hostUnit);
    if (!(std::fabs(evpus) <= 1e9)) {
        return;
    }
    const double back =
        HostMeasurement::Parse(HostMeasurement::Format(evpus, unit.hostUnit), unit.hostUnit);
    const double step =
        unit.hostUnit == HostUnit::Picas ? 4.0 : HostMeasurement::EvpusPerUnit(unit.hostUnit);
    Require(std::fabs(back - evpus) <= 0.5e-4 * step + 1e-9 * std::fabs(evpus),
            "the host reads back the length it showed");
}

} // namespace

// The reader of the document's own unit asks the host for the general preferences.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    LinkedPlugin::Attach(StandInHost::Instance());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Unit& unit = input.PickValueInArray(kUnits);
    std::u16string typed;
    for (const unsigned char byte : input.ConsumeRemainingBytesAsString()) {
        typed.push_back(byte);
    }

    CheckPluginReader(typed, unit);
    CheckHostReader(typed, unit);
    return 0;
}
