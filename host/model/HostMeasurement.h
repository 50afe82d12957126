// How the stand-in host shows a length in a dialog item and reads it back, in the measurement
// unit the user chose in the host. Across the host interface lengths are always EVPUs.
#pragma once

#include <cstdint>
#include <string>

// How many EVPUs make one of each unit: 288 to an inch. The host's own centimetre and millimetre
// are rounded (an exact centimetre is 113.3858... EVPUs).
namespace EvpusPer {
inline constexpr double kInch = 288;
inline constexpr double kCentimeter = 113.4;
inline constexpr double kMillimeter = 11.34;
inline constexpr double kPoint = 4;
inline constexpr double kPica = 48;
inline constexpr double kSpace = 24;
} // namespace EvpusPer

enum class HostUnit : std::int16_t {
    EVPUs = 1,
    Inches = 2,
    Centimeters = 3,
    Points = 4,
    Picas = 5,
    Spaces = 6,
    Millimeters = 100,
};

class HostMeasurement {
public:
    static double EvpusPerUnit(HostUnit unit);

    // The length in the unit with at most four decimals and no trailing zeros ("1.6667", "20");
    // picas as whole picas, "p" and the points left over ("10p6", "-0p6").
    static std::u16string Format(double evpus, HostUnit unit);

    // The leading number of the text ("," read as "."), converted from the unit; in picas also
    // the form "XpY". Text without a number reads 0; anything after the number is ignored.
    static double Parse(const std::u16string& text, HostUnit unit);
};
