// Lengths between MusicXML tenths and the host's EVPUs (288 to an inch), through the score's
// <scaling>: so many millimetres for so many tenths.
#pragma once

#include <cstdint>
#include <string>

class MusicXmlScaling {
public:
    // The scaling of a score that gives none.
    static constexpr double kDefaultMillimeters = 7.0556;
    static constexpr double kDefaultTenths = 40;

    MusicXmlScaling(double millimeters, double tenths);

    // Rounded to the nearest whole EVPU.
    std::int64_t ToEvpus(double tenths) const;
    // Not rounded.
    double ToTenths(std::int64_t evpus) const;
    // Tenths as written in a file, with the fewest decimals that read back as the same EVPUs.
    std::string TenthsText(std::int64_t evpus) const;

private:
    double evpusPerTenth_;
};
