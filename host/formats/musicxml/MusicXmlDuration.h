// A length or a place in a measure, in quarter notes, held exactly as a fraction: MusicXML counts
// time in <divisions> of a quarter, and a tuplet need not come to a whole number of host units.
#pragma once

#include "host/files/ScoreError.h"

#include <compare>
#include <cstdint>

class MusicXmlDuration {
public:
    // Arithmetic whose terms no longer fit 64 bits (durations at several unrelated divisions).
    class Overflow : public ScoreError {
    public:
        Overflow() : ScoreError("durations at these divisions cannot be added up exactly") {}
    };

    MusicXmlDuration() = default;
    // So many divisions of a quarter note; divisions must be positive.
    MusicXmlDuration(std::int64_t count, std::int64_t divisions);

    MusicXmlDuration operator+(const MusicXmlDuration& other) const;
    MusicXmlDuration operator-(const MusicXmlDuration& other) const;
    std::strong_ordering operator<=>(const MusicXmlDuration& other) const;
    // Fractions are kept in lowest terms, so equal lengths have equal terms.
    bool operator==(const MusicXmlDuration& other) const = default;

    bool IsZero() const { return numerator_ == 0; }
    // The length in host units (1024 to a quarter note), rounded to the nearest, halves up.
    std::int64_t HostUnits() const;
    // Whether the length is a whole number of host units.
    bool IsWholeHostUnits() const;

private:
    std::int64_t numerator_ = 0;
    std::int64_t denominator_ = 1;
};
