// What a pass did to the document, as an engraver would read it: per part, the measure widths,
// the staff systems and the multimeasure rests. Used by the golden files and the tests.
#pragma once

#include <string>

class HostDocument;

class ScoreReport {
public:
    // Every part's layout, one line per kind of record.
    static std::string Describe(HostDocument& document);
};
