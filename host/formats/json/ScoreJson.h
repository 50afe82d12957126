// The text of a score file read as JSON. Whatever the JSON library finds wrong (bad syntax, a
// number beyond the range of a double, values nested too deep to write back) becomes a
// ScoreError naming the line and column.
//
// A whole document parsed at once takes about eight times the size of its text, so only the
// values at the top are kept parsed: each list there (staves, measures, entries, parts) is kept
// as the places of its elements in the text, and an element is parsed when it is read.
#pragma once

#include <nlohmann/json.hpp>

#include <map>
#include <string>
#include <vector>

class ScoreJson {
public:
    // Values nested deeper than this are refused: nothing in a score goes near it, and writing
    // the file back descends once per level.
    static constexpr std::size_t kMaximumDepth = 64;

    // Reads the whole text; throws ScoreError naming the place of the first problem.
    explicit ScoreJson(std::string text);

    // The document with each list at its top left empty: their elements are read with Element.
    const nlohmann::json& Root() const { return root_; }
    // Whether the value at the key of the top object is such a list.
    bool IsList(const std::string& key) const { return lists_.count(key) != 0; }
    std::size_t ListSize(const std::string& key) const { return lists_.at(key).size(); }
    // The element of the list as the whole document parsed at once would hold it.
    nlohmann::json Element(const std::string& key, std::size_t index) const;

    // Where an element lies in the text; an element that is a single value (no object or list)
    // is kept parsed instead, at `first` in the kept values, with `end` 0.
    struct Place {
        std::size_t first;
        std::size_t end;
    };
    using Lists = std::map<std::string, std::vector<Place>, std::less<>>;

private:
    std::string text_;
    nlohmann::json root_;
    Lists lists_;
    std::vector<nlohmann::json> values_;
};
