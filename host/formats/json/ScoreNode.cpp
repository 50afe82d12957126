#include "host/formats/json/ScoreNode.h"

#include "host/formats/json/ScoreJson.h"

#include <cstdint>
#include <cstdlib>

namespace {

std::string Join(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

} // namespace

ScoreNode::ScoreNode(const ScoreJson& document)
    : value_(document.Root()), path_(), document_(&document) {}

void ScoreNode::Fail(const std::string& problem) const {
    throw ScoreError((path_.empty() ? std::string("the score") : path_) + ": " + problem);
}

// An optional key is looked for only in an object: a value of another type where an object
// belongs is refused, never taken as one without the key.
bool ScoreNode::Has(const char* key) const {
    if (!value_.is_object()) {
        Fail("expected an object");
    }
    return value_.contains(key);
}

ScoreNode ScoreNode::At(const char* key) const {
    if (!value_.is_object()) {
        Fail("expected an object");
    }
    if (!value_.contains(key)) {
        Fail(std::string("missing \"") + key + "\"");
    }
    return ScoreNode(value_.at(key), Join(path_, key));
}

std::int64_t ScoreNode::Integer(std::int64_t minimum, std::int64_t maximum) const {
    if (!value_.is_number_integer()) {
        Fail("expected an integer");
    }
    const std::string range =
        "expected an integer from " + std::to_string(minimum) + " to " + std::to_string(maximum);
    // Beyond the largest signed value the library keeps the number unsigned; read as signed it
    // would come back negative.
    if (value_.is_number_unsigned() &&
        value_.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) {
        Fail(range + ", found " + std::to_string(value_.get<std::uint64_t>()));
    }
    const std::int64_t value = value_.get<std::int64_t>();
    if (value < minimum || value > maximum) {
        Fail(range + ", found " + std::to_string(value));
    }
    return value;
}

std::int64_t ScoreNode::Integer(const char* key, std::int64_t minimum, std::int64_t maximum) const {
    return At(key).Integer(minimum, maximum);
}

std::int64_t ScoreNode::Integer(const char* key, std::int64_t minimum, std::int64_t maximum,
                                std::int64_t fallback) const {
    return Has(key) ? Integer(key, minimum, maximum) : fallback;
}

double ScoreNode::Number(const char* key, double minimum, double maximum, double fallback) const {
    if (!Has(key)) {
        return fallback;
    }
    const ScoreNode node = At(key);
    if (!node.value_.is_number()) {
        node.Fail("expected a number");
    }
    const double value = node.value_.get<double>();
    if (!(value >= minimum && value <= maximum)) {
        node.Fail("expected a number from " + std::to_string(minimum) + " to " +
                  std::to_string(maximum));
    }
    return value;
}

bool ScoreNode::Boolean(const char* key, bool fallback) const {
    if (!Has(key)) {
        return fallback;
    }
    const ScoreNode node = At(key);
    if (!node.value_.is_boolean()) {
        node.Fail("expected true or false");
    }
    return node.value_.get<bool>();
}

std::string ScoreNode::Text(const char* key) const {
    const ScoreNode node = At(key);
    if (!node.value_.is_string()) {
        node.Fail("expected a text");
    }
    return node.value_.get<std::string>();
}

std::string ScoreNode::Label(const char* key, const std::string& fallback) const {
    if (!Has(key)) {
        return fallback;
    }
    const ScoreNode node = At(key);
    if (node.value_.is_number_integer()) {
        return node.value_.dump();
    }
    return Text(key);
}

std::uint32_t ScoreNode::Version(const char* key, std::uint32_t fallback) const {
    if (!Has(key)) {
        return fallback;
    }
    const ScoreNode node = At(key);
    if (node.value_.is_number_integer()) {
        return static_cast<std::uint32_t>(node.Integer(0, 0xFFFFFFFFLL));
    }
    const std::string text = node.value_.is_string() ? node.value_.get<std::string>() : "";
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || value > 0xFFFFFFFFULL) {
        node.Fail("expected a version such as \"0x1B000000\"");
    }
    return static_cast<std::uint32_t>(value);
}

void ScoreNode::Limit(const char* key, std::size_t maximum, const char* what) const {
    if (!Has(key)) {
        return;
    }
    const ScoreNode list = At(key);
    if (list.value_.is_array() && ListSize(key, list.value_) > maximum) {
        list.Fail("at most " + std::to_string(maximum) + " " + what + ", found " +
                  std::to_string(ListSize(key, list.value_)));
    }
}

std::size_t ScoreNode::ListSize(const char* key, const nlohmann::json& list) const {
    return document_ && document_->IsList(key) ? document_->ListSize(key) : list.size();
}

void ScoreNode::ForEach(const char* key, const std::function<void(const ScoreNode&)>& visit) const {
    if (!Has(key)) {
        return;
    }
    const ScoreNode list = At(key);
    if (!list.value_.is_array()) {
        list.Fail("expected a list");
    }
    const auto place = [&](std::size_t i) { return list.path_ + "[" + std::to_string(i) + "]"; };
    if (document_ && document_->IsList(key)) {
        for (std::size_t i = 0; i < document_->ListSize(key); ++i) {
            const nlohmann::json element = document_->Element(key, i);
            visit(ScoreNode(element, place(i)));
        }
        return;
    }
    for (std::size_t i = 0; i < list.value_.size(); ++i) {
        visit(ScoreNode(list.value_[i], place(i)));
    }
}
