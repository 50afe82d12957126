#include "tests/support/RandomDocument.h"

#include <algorithm>
#include <sstream>

namespace {

// ", " before every element of a list but the first.
const char* Separator(bool& first) {
    const char* separator = first ? "" : ", ";
    first = false;
    return separator;
}

} // namespace

std::string RandomDocument::Json() {
    const int staves = Pick(1, 4);
    const int measures = Pick(1, 24);
    std::ostringstream out;
    out << R"({"staves": [)";
    for (int staff = 1; staff <= staves; ++staff) {
        out << (staff > 1 ? ", " : "") << R"({"id": )" << staff << R"(, "defaultClef": )"
            << Pick(0, 3) << '}';
    }
    out << R"(], "measures": [)";
    for (int measure = 1; measure <= measures; ++measure) {
        out << (measure > 1 ? ", " : "") << R"({"meter": {"beats": )" << Pick(1, 12)
            << R"(, "beatValue": )" << (1 << Pick(0, 4)) << "}}";
    }
    out << R"(], "entries": [)" << Entries(staves, measures) << R"(], "frameHolds": [)"
        << FrameHolds(staves, measures) << R"(], "preferences": {"musicSpacing": {"minimumWidth": )"
        << std::max(Pick(-50, 600), 0) << R"(, "maximumWidth": )" << std::max(Pick(-50, 900), 0)
        << R"(, "spacingRatio": )" << Pick(0, 30) / 10.0
        << R"(}, "multimeasureRests": {"measureWidth": )" << Pick(-100, 600)
        << R"(, "restAdjust": )" << Pick(-40, 40) << R"(, "autoUpdate": )"
        << (Pick(0, 1) ? "true" : "false") << R"(}, "misc": {"clefPercentDefault": )"
        << Pick(-100, 200) << R"(}, "distances": {"clefDistance": )" << Pick(-50, 100)
        << R"(}}, "parts": [)" << Part(0, measures) << ", " << Part(1, measures)
        << R"(], "selection": {"firstSlot": 1, "lastSlot": )" << Pick(1, staves)
        << R"(, "firstMeasure": 1, "lastMeasure": )" << Pick(1, measures) << "}}";
    return out.str();
}

std::string RandomDocument::Entries(int staves, int measures) {
    std::ostringstream out;
    bool first = true;
    for (int i = Pick(0, staves * measures); i > 0; --i) {
        out << Separator(first) << R"({"staff": )" << Pick(1, staves) << R"(, "measure": )"
            << Pick(1, measures) << R"(, "layer": )" << Pick(0, 3) << R"(, "notes": [)"
            << Pick(0, 13) << "]}";
    }
    return out.str();
}

std::string RandomDocument::FrameHolds(int staves, int measures) {
    std::ostringstream out;
    bool first = true;
    for (int i = Pick(0, 4); i > 0; --i) {
        out << Separator(first) << R"({"staff": )" << Pick(1, staves) << R"(, "measure": )"
            << Pick(1, measures) << R"(, "clef": )" << Pick(0, 3) << R"(, "flags": )"
            << Pick(0, 0x3F) << R"(, "clefPercent": )" << Pick(-50, 150) << '}';
    }
    return out.str();
}

// Systems anywhere in order, some not placed; rests anywhere, overlapping; widths down to 0.
std::string RandomDocument::Part(int id, int measures) {
    std::ostringstream out;
    out << R"({"id": )" << id << R"(, "widths": [)";
    for (int measure = 1; measure <= measures; ++measure) {
        out << (measure > 1 ? ", " : "") << Pick(0, 400);
    }
    out << R"(], "systems": [)";
    bool firstSystem = true;
    int placedUpTo = 1;
    for (int i = Pick(1, 4); i > 0; --i) {
        // A placed system starts where the one before ends or later and holds a measure.
        int first = Pick(0, measures);
        int next = Pick(0, measures + 1);
        if (first != 0) {
            first = std::max(first, placedUpTo);
            first = first <= measures ? first : 0;
        }
        if (first != 0) {
            next = std::max(next, first + 1);
            placedUpTo = next;
        }
        out << Separator(firstSystem) << R"({"first": )" << first << R"(, "next": )" << next
            << R"(, "scaling": )" << Pick(0, 20000) << '}';
    }
    out << R"(], "multimeasureRests": [)";
    bool firstRest = true;
    for (int i = measures > 1 ? Pick(0, 3) : 0; i > 0; --i) {
        const int start = Pick(1, measures - 1);
        out << Separator(firstRest) << R"({"first": )" << start << R"(, "next": )"
            << Pick(start + 1, measures + 1) << R"(, "width": )" << Pick(0, 500)
            << R"(, "countLimit": )" << Pick(0, 8) << R"(, "flags": )" << Pick(0, 1) << '}';
    }
    out << "]}";
    return out.str();
}
