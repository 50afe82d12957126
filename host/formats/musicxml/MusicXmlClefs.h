// The host's clef index for a MusicXML <clef>: its default clef list, from the treble clef (0)
// through the C and F clefs to percussion and tablature.
#pragma once

#include <pugixml.hpp>

class MusicXmlClefs {
public:
    // The index of the clef's sign, line and octave change; an unknown clef counts as treble.
    static int Index(pugi::xml_node clef);
};
