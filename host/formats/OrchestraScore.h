// A generated orchestral score for examples and benchmarks: many staves playing in phrases with
// rests between them, meters that change every sixteen measures, and one linked part per staff
// whose silences are multimeasure rests. The same sizes always give the same score.
#pragma once

#include <string>
#include <vector>

class OrchestraScore {
public:
    struct Meter {
        int beats;
        int beatValue;
    };
    // Measures of one meter before the next begins.
    static constexpr int kMeterPeriod = 16;
    static constexpr int kScoreSystemLength = 4;

    // Score-file text for the given number of staves (one part each) and measures.
    static std::string Json(int staves, int measures);
    // The same music as partwise MusicXML: one part per staff; the linked parts come from the
    // MusicXML parts. Natively only; elsewhere it throws ScoreError.
    static std::string MusicXml(int staves, int measures);

    // The meter of a measure (from 0).
    static Meter MeterOf(int measure);
    // Which measures each staff plays: phrases of 2 to 9 measures separated by 1 to 12 silent
    // ones.
    static std::vector<std::vector<bool>> Playing(int staves, int measures);
    // The width of a measure (from 0) in the score, in EVPUs.
    static int ScoreWidth(int measure) { return 180 + (measure * 37) % 120; }
    // The note count of the chord a playing staff ends a measure with.
    static int ChordSize(int staff, int measure) { return 1 + (staff + measure) % 3; }
};
