#include "host/model/ScoreTerms.h"

namespace {

// The text on one line: each run of spaces, tabs and line breaks becomes one space, none at
// either end (a part's name may be written on two lines).
std::string OneLine(const std::string& text) {
    std::string line;
    bool space = false;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ') {
            space = !line.empty();
        } else {
            if (space) {
                line += ' ';
            }
            line += c;
            space = false;
        }
    }
    return line;
}

} // namespace

void ScoreTerms::SetBarNumbers(std::vector<std::string> numbers) {
    for (std::string& number : numbers) {
        number = OneLine(number);
    }
    barNumbers_ = std::move(numbers);
}

void ScoreTerms::SetPartName(std::int16_t part, const std::string& name) {
    partNames_[part] = OneLine(name);
}

std::string ScoreTerms::Bar(std::int32_t measure) const {
    const auto index = static_cast<std::size_t>(measure - 1);
    return measure >= 1 && index < barNumbers_.size() && !barNumbers_[index].empty()
               ? barNumbers_[index]
               : std::to_string(measure);
}

std::string ScoreTerms::Bars(std::int32_t first, std::int32_t last) const {
    return first == last ? "bar " + Bar(first) : "bars " + Bar(first) + "\u2013" + Bar(last);
}

std::string ScoreTerms::Part(std::int16_t part) const {
    const auto named = partNames_.find(part);
    if (named != partNames_.end() && !named->second.empty()) {
        return named->second;
    }
    return part == 0 ? "Score" : "Part " + std::to_string(part);
}

std::optional<std::int32_t> ScoreTerms::MeasureNumbered(const std::string& number,
                                                        std::int32_t from,
                                                        std::int32_t count) const {
    for (std::int32_t measure = from; measure <= count; ++measure) {
        if (Bar(measure) == number) {
            return measure;
        }
    }
    return std::nullopt;
}
