#include "host/formats/musicxml/MusicXmlClefs.h"

#include <cstdlib>
#include <string>

namespace {

struct Clef {
    const char* sign;
    int line;
    int octaveChange;
    int index;
};

constexpr Clef kClefs[] = {
    {"G", 2, 0, 0},    {"C", 3, 0, 1},  {"C", 4, 0, 2},  {"F", 4, 0, 3},  {"percussion", 0, 0, 4},
    {"G", 2, -1, 5},   {"F", 4, -1, 6}, {"F", 3, 0, 7},  {"G", 1, 0, 8},  {"C", 5, 0, 9},
    {"C", 2, 0, 10},   {"C", 1, 0, 11}, {"G", 2, 1, 13}, {"F", 4, 1, 14}, {"none", 0, 0, 15},
    {"TAB", 0, 0, 16}, {"F", 5, 0, 17},
};

// The line a sign stands on when the file does not say.
int StandardLine(const std::string& sign) {
    return sign == "G" ? 2 : sign == "F" ? 4 : sign == "C" ? 3 : 0;
}

} // namespace

int MusicXmlClefs::Index(pugi::xml_node clef) {
    const std::string sign = clef.child("sign").text().as_string();
    const bool lineless = sign == "percussion" || sign == "none" || sign == "TAB";
    const int line = lineless ? 0 : clef.child("line").text().as_int(StandardLine(sign));
    const int octave = clef.child("clef-octave-change").text().as_int(0);
    for (const Clef& known : kClefs) {
        if (sign == known.sign && line == known.line && octave == known.octaveChange) {
            return known.index;
        }
    }
    return 0;
}
