// What a pass did to the document, as an engraver would read it: per part, the measure widths,
// the staff systems and the multimeasure rests. Used by the command line and the golden files.
#pragma once

#include <string>

class HostDocument;

class ScoreReport {
public:
    // Every part's layout, one line per kind of record.
    static std::string Describe(HostDocument& document);

    // The lines of two descriptions that differ, as "before" and "after" pairs.
    static std::string Changes(const std::string& before, const std::string& after);
};
