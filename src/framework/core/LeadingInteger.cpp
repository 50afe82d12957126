#include "framework/core/LeadingInteger.h"

#include <algorithm>
#include <limits>

bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::int32_t LeadingIntegerAtStart(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (std::size_t at = 0; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = std::min(magnitude * 10 + (text[at] - '0'), limit);
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t LeadingIntegerAfterWhiteSpace(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsWhiteSpace);
    return LeadingIntegerAtStart(text.substr(static_cast<std::size_t>(first - text.begin())));
}
