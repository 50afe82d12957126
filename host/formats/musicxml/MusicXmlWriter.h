// Writes MusicXML after a session: the score as the source text with only the changed measure
// widths and system breaks edited in place (everything else byte for byte as it was), and a
// file of one part with that part's own widths, systems and multimeasure rests.
#pragma once

#include "host/formats/musicxml/MusicXmlScaling.h"
#include "host/model/PartLayout.h"

#include <string>
#include <vector>

class MusicXmlWriter {
public:
    // Widths that differ between the two layouts are written (in every part's measure; a
    // multimeasure rest's width on its first measure); when the systems differ, or the widths
    // of a file without system breaks, every measure that now begins a system gets
    // new-system="yes" (the first measure too when it is the only system), and one that no
    // longer does has its new-system and new-page set to "no".
    static std::string Score(const std::string& text, const MusicXmlScaling& scaling,
                             const PartLayout& loaded, const PartLayout& now);

    // What the layout holds that a file written from it cannot: a line for each.
    static std::vector<std::string> Unwritten(const PartLayout& layout);

    // The score reduced to each part in turn, all from one reading of the text: the part's entry
    // of the part list and its music, every measure with the part's width and system break, and
    // its multimeasure rests. A file for each ID, with the layout at the same place.
    static std::vector<std::string> Parts(const std::string& text,
                                          const std::vector<std::string>& partIds,
                                          const MusicXmlScaling& scaling,
                                          const std::vector<PartLayout>& layouts);
};
