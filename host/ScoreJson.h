// The text of a score file read as JSON. Whatever the JSON library finds wrong (bad syntax, a
// number beyond the range of a double, values nested too deep to write back) becomes a
// ScoreError naming the line and column.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

class ScoreJson {
public:
    // Values nested deeper than this are refused: nothing in a score goes near it, and writing
    // the file back descends once per level.
    static constexpr std::size_t kMaximumDepth = 64;

    static nlohmann::json Parse(const std::string& text);
};
