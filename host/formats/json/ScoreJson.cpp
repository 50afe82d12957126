#include "host/formats/json/ScoreJson.h"

#include "host/files/ScoreError.h"

#include <algorithm>
#include <iterator>

namespace {

using Json = nlohmann::json;

// Reads the text as a pointer would, telling how far the parser has read it.
class CountingReader {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingReader(const char* at, const char** read) : at_(at), read_(read) {}

    reference operator*() const { return *at_; }
    CountingReader& operator++() {
        *read_ = ++at_;
        return *this;
    }
    CountingReader operator++(int) {
        CountingReader before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingReader& other) const { return at_ == other.at_; }

private:
    const char* at_;
    const char** read_;
};

// Builds the top object and its values other than lists as the library's parser would; the
// elements of a list at the top are only placed. Its errors become score errors that name the
// place, and nesting is bounded.
class OutlineBuilder : public nlohmann::json_sax<Json> {
public:
    OutlineBuilder(Json& document, ScoreJson::Lists& lists, std::vector<Json>& values,
                   const std::string& text)
        : document_(document), lists_(lists), values_(values), text_(text), read_(text.data()) {}

    const char** Read() { return &read_; }

    bool null() override { return Value(Json(nullptr)); }
    bool boolean(bool value) override { return Value(Json(value)); }
    bool number_integer(number_integer_t value) override { return Value(Json(value)); }
    bool number_unsigned(number_unsigned_t value) override { return Value(Json(value)); }
    bool number_float(number_float_t value, const string_t&) override { return Value(Json(value)); }
    bool string(string_t& value) override { return Value(Json(std::move(value))); }
    bool binary(binary_t& value) override { return Value(Json(std::move(value))); }

    bool key(string_t& name) override {
        if (list_) {
            return true;
        }
        if (depth_ == kTopDepth) {
            // A repeated key replaces the value before it, as in the parsed document.
            key_ = name;
            lists_.erase(name);
        }
        member_ = &(*open_.back())[name];
        return true;
    }

    bool start_object(std::size_t) override {
        Deeper();
        topIsObject_ = topIsObject_ || depth_ == kTopDepth;
        return list_ ? Open() : Begin(Json::object());
    }
    bool end_object() override { return list_ ? Close() : End(); }

    bool start_array(std::size_t) override {
        Deeper();
        if (list_) {
            return Open();
        }
        if (topIsObject_ && depth_ == kListDepth) {
            list_ = &lists_[key_];
            Put(Json::array());
            return true;
        }
        return Begin(Json::array());
    }
    bool end_array() override {
        if (list_ && depth_ == kListDepth) {
            list_ = nullptr;
            return Shallower(true);
        }
        return list_ ? Close() : End();
    }

    bool parse_error(std::size_t position, const std::string&,
                     const Json::exception& error) override {
        throw ScoreError("not valid JSON at " + Place(position) + ": " + Problem(error.what()));
    }

private:
    static constexpr std::size_t kTopDepth = 1;
    static constexpr std::size_t kListDepth = 2;
    static constexpr std::size_t kElementDepth = 3;

    std::size_t Position() const { return static_cast<std::size_t>(read_ - text_.data()); }

    // Puts a value where the document being built expects the next one: the document itself,
    // the end of the open list, or the member of the open object whose key was just read.
    Json* Put(Json value) {
        if (open_.empty()) {
            document_ = std::move(value);
            return &document_;
        }
        if (Json& parent = *open_.back(); parent.is_array()) {
            parent.push_back(std::move(value));
            return &parent.back();
        }
        *member_ = std::move(value);
        return member_;
    }
    bool Value(Json value) {
        if (list_) {
            return Keep(std::move(value));
        }
        Put(std::move(value));
        return true;
    }
    bool Begin(Json container) {
        open_.push_back(Put(std::move(container)));
        return true;
    }
    bool End() {
        open_.pop_back();
        return Shallower(true);
    }

    // A single value directly in a list is kept parsed; inside an element it is left in the text.
    bool Keep(Json value) {
        if (depth_ == kListDepth) {
            list_->push_back({values_.size(), 0});
            values_.push_back(std::move(value));
        }
        return true;
    }
    // The parser has just read the element's opening bracket, and then its closing one.
    bool Open() {
        if (depth_ == kElementDepth) {
            elementStart_ = Position() - 1;
        }
        return true;
    }
    bool Close() {
        if (depth_ == kElementDepth) {
            list_->push_back({elementStart_, Position()});
        }
        return Shallower(true);
    }

    void Deeper() {
        if (++depth_ > ScoreJson::kMaximumDepth) {
            throw ScoreError("not valid JSON: values nested deeper than " +
                             std::to_string(ScoreJson::kMaximumDepth) + " levels");
        }
    }
    bool Shallower(bool result) {
        --depth_;
        return result;
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

    Json& document_;
    std::vector<Json*> open_;
    Json* member_ = nullptr;
    ScoreJson::Lists& lists_;
    std::vector<Json>& values_;
    const std::string& text_;
    const char* read_;
    std::size_t depth_ = 0;
    bool topIsObject_ = false;
    std::string key_;
    std::vector<ScoreJson::Place>* list_ = nullptr;
    std::size_t elementStart_ = 0;
};

} // namespace

ScoreJson::ScoreJson(std::string text) : text_(std::move(text)) {
    OutlineBuilder builder(root_, lists_, values_, text_);
    const char* begin = text_.data();
    Json::sax_parse(CountingReader(begin, builder.Read()),
                    CountingReader(begin + text_.size(), builder.Read()), &builder);
    // The lists are kept as long as the score: without the room they grew into.
    for (auto& [key, places] : lists_) {
        places.shrink_to_fit();
    }
    values_.shrink_to_fit();
}

nlohmann::json ScoreJson::Element(const std::string& key, std::size_t index) const {
    const Place place = lists_.find(key)->second.at(index);
    if (place.end == 0) {
        return values_[place.first];
    }
    return Json::parse(text_.data() + place.first, text_.data() + place.end);
}
