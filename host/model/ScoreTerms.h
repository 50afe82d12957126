// The score's own terms for what the host numbers: each measure's number as the score writes it
// (a pickup may be bar 0, a second ending "12a"), and each linked part's name. Reports, messages
// and pictures speak in these terms, and the command line's selection is given in them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class ScoreTerms {
public:
    // The score's number of each measure, measure 1 first; an empty one (or a measure past the
    // list) keeps the host's number. Names and numbers are kept on one line.
    void SetBarNumbers(std::vector<std::string> numbers);
    void SetPartName(std::int16_t part, const std::string& name);

    // "12", or the host's number when the score gives none.
    std::string Bar(std::int32_t measure) const;
    // "bar 12" for one measure, "bars 12–15" for several.
    std::string Bars(std::int32_t first, std::int32_t last) const;
    // The part's name; "Score" for the score, "Part N" for a linked part the score names not.
    std::string Part(std::int16_t part) const;

    // The first measure from `from` on whose number is the text; none when no measure up to
    // `count` has it.
    std::optional<std::int32_t> MeasureNumbered(const std::string& number, std::int32_t from,
                                                std::int32_t count) const;

private:
    std::vector<std::string> barNumbers_;
    std::map<std::int16_t, std::string> partNames_;
};
