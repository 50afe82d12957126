#include "host/formats/musicxml/MusicXmlScaling.h"

#include "host/model/HostMeasurement.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kMillimetersPerInch = 25.4;
// An exact millimetre, not the host's rounded one: MusicXML scaling is measured exactly.
constexpr double kEvpusPerMillimeter = EvpusPer::kInch / kMillimetersPerInch;

} // namespace

MusicXmlScaling::MusicXmlScaling(double millimeters, double tenths)
    : evpusPerTenth_(millimeters / tenths * kEvpusPerMillimeter) {}

std::int64_t MusicXmlScaling::ToEvpus(double tenths) const {
    return std::llround(tenths * evpusPerTenth_);
}

double MusicXmlScaling::ToTenths(std::int64_t evpus) const {
    return static_cast<double>(evpus) / evpusPerTenth_;
}

std::string MusicXmlScaling::TenthsText(std::int64_t evpus) const {
    const double tenths = ToTenths(evpus);
    char text[64] = "";
    for (int decimals = 0; decimals <= 9; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, tenths);
        if (ToEvpus(std::strtod(text, nullptr)) == evpus) {
            break;
        }
    }
    return text;
}
