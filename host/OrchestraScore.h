// A generated orchestral score for examples and benchmarks: many staves playing in phrases with
// rests between them, meters that change every sixteen measures, and one linked part per staff
// whose silences are multimeasure rests. The same sizes always give the same score.
#pragma once

#include <string>

class OrchestraScore {
public:
    // Score-file text for the given number of staves (one part each) and measures.
    static std::string Json(int staves, int measures);
};
