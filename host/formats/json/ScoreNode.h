// A value of a score file together with its place in the file ("parts[1].systems[0].first"), so
// every complaint about it can name where it is.
#pragma once

#include "host/files/ScoreError.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <string>

class ScoreJson;

class ScoreNode {
public:
    ScoreNode(const nlohmann::json& value, std::string path)
        : value_(value), path_(std::move(path)) {}
    // The top of the document, whose lists are read one element at a time.
    explicit ScoreNode(const ScoreJson& document);

    const std::string& Path() const { return path_; }
    bool Has(const char* key) const;
    ScoreNode At(const char* key) const;

    // Typed readers; each throws a ScoreError naming the place when the value does not fit.
    std::int64_t Integer(std::int64_t minimum, std::int64_t maximum) const;
    std::int64_t Integer(const char* key, std::int64_t minimum, std::int64_t maximum) const;
    std::int64_t Integer(const char* key, std::int64_t minimum, std::int64_t maximum,
                         std::int64_t fallback) const;
    double Number(const char* key, double minimum, double maximum, double fallback) const;
    bool Boolean(const char* key, bool fallback) const;
    std::string Text(const char* key) const;
    // Text, or a whole number taken as its digits; the fallback when the key is absent.
    std::string Label(const char* key, const std::string& fallback) const;
    // A version written as a number or as hexadecimal text such as "0x1B000000".
    std::uint32_t Version(const char* key, std::uint32_t fallback) const;

    // Refuses a list at key longer than the host can hold, naming what it holds and the limit.
    void Limit(const char* key, std::size_t maximum, const char* what) const;

    // Calls the visitor for each element of the array at key (none when the key is absent).
    void ForEach(const char* key, const std::function<void(const ScoreNode&)>& visit) const;

    [[noreturn]] void Fail(const std::string& problem) const;

private:
    // The number of elements of the list at key, known to be a list.
    std::size_t ListSize(const char* key, const nlohmann::json& list) const;

    const nlohmann::json& value_;
    std::string path_;
    const ScoreJson* document_ = nullptr;
};
