#include "host/ScoreJson.h"

#include "host/ScoreError.h"

#include <algorithm>

namespace {

using Json = nlohmann::json;

// The library's own document builder, with its errors turned into score errors that name the
// place, and a bound on nesting.
class PlaceNamingBuilder : public nlohmann::detail::json_sax_dom_parser<Json> {
    using Builder = nlohmann::detail::json_sax_dom_parser<Json>;

public:
    PlaceNamingBuilder(Json& document, const std::string& text) : Builder(document), text_(text) {}

    bool start_object(std::size_t elements) { return Enter(&Builder::start_object, elements); }
    bool end_object() { return Leave(&Builder::end_object); }
    bool start_array(std::size_t elements) { return Enter(&Builder::start_array, elements); }
    bool end_array() { return Leave(&Builder::end_array); }

    template <class Exception>
    bool parse_error(std::size_t position, const std::string&, const Exception& error) {
        throw ScoreError("not valid JSON at " + Place(position) + ": " + Problem(error.what()));
    }

private:
    // An object or array opens one level deeper, refused beyond the bound, and closes it again.
    bool Enter(bool (Builder::*start)(std::size_t), std::size_t elements) {
        if (++depth_ > ScoreJson::kMaximumDepth) {
            throw ScoreError("not valid JSON: values nested deeper than " +
                             std::to_string(ScoreJson::kMaximumDepth) + " levels");
        }
        return (this->*start)(elements);
    }
    bool Leave(bool (Builder::*end)()) {
        --depth_;
        return (this->*end)();
    }

    // The position is the count of bytes read when the problem was seen: the place where the
    // faulty token ends, as the library counts it.
    std::string Place(std::size_t position) const {
        const auto end =
            text_.begin() + static_cast<std::ptrdiff_t>(std::min(position, text_.size()));
        const auto lineStart =
            std::find(std::make_reverse_iterator(end), text_.rend(), '\n').base();
        return "line " + std::to_string(std::count(text_.begin(), end, '\n') + 1) + ", column " +
               std::to_string(end - lineStart);
    }

    // The library's message without its exception name and, for syntax errors, its own place.
    static std::string Problem(std::string problem) {
        if (const std::size_t name = problem.find("] "); name != std::string::npos) {
            problem.erase(0, name + 2);
        }
        if (const std::size_t place = problem.find(": ");
            problem.rfind("parse error", 0) == 0 && place != std::string::npos) {
            problem.erase(0, place + 2);
        }
        return problem;
    }

    const std::string& text_;
    std::size_t depth_ = 0;
};

} // namespace

nlohmann::json ScoreJson::Parse(const std::string& text) {
    Json root;
    PlaceNamingBuilder builder(root, text);
    Json::sax_parse(text, &builder);
    return root;
}
