// What the stand-in host takes from a partwise MusicXML score: its parts with their staves, and
// per measure the duration, the layout marks (width, system and page breaks, multimeasure rests),
// what breaks a run of rests in an extracted part, and the entries and clefs of each staff.
#pragma once

#include "host/formats/musicxml/MusicXmlDuration.h"
#include "host/formats/musicxml/MusicXmlScaling.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct MusicXmlCell {
    // The note counts of the entries on each layer (0 is an entered rest).
    std::vector<std::vector<std::int16_t>> layers;
    // The clef written before the staff's first entry in the measure, and those after it.
    std::optional<int> startClef;
    std::vector<int> laterClefs;
    // How long the entered rests last together.
    MusicXmlDuration restLength;

    bool HasEntries() const;
    // Whether the staff holds nothing but rests of one layer that last the whole measure: how
    // exporters write a measure in which nothing is entered, as a notation program holds it.
    bool FilledByRests(const MusicXmlDuration& measureLength) const;
};

struct MusicXmlMeasure {
    std::string number;
    std::optional<double> width; // tenths
    bool newSystem = false;
    bool newPage = false;
    std::optional<std::int32_t> meterDuration; // host units, when a <time> is written here
    MusicXmlDuration contentDuration;          // how far the music of the measure reaches
    bool meterChange = false;
    bool keyChange = false;
    bool rehearsal = false;
    bool doubleBarBefore = false;
    bool doubleBarAfter = false;
    int multipleRest = 0;            // measures a <multiple-rest> starting here spans
    std::vector<MusicXmlCell> cells; // one per staff of the part
};

struct MusicXmlPart {
    std::string id;
    std::string name;
    int staves = 1;
    std::vector<MusicXmlMeasure> measures;
};

struct MusicXmlScore {
    // Millimetres per the given number of tenths, from <scaling>.
    double millimeters = MusicXmlScaling::kDefaultMillimeters;
    double tenths = MusicXmlScaling::kDefaultTenths;
    // The width systems are filled up to, in tenths, when the page layout gives one.
    std::optional<double> systemWidth;
    std::vector<MusicXmlPart> parts;

    std::size_t MeasureCount() const { return parts.empty() ? 0 : parts.front().measures.size(); }
    // The length of each measure: how far its music reaches in the longest part and voice, or
    // where it holds no music the meter in force (4/4 before any).
    std::vector<MusicXmlDuration> MeasureLengths() const;
};
