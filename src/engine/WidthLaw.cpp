#include "engine/WidthLaw.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

float WidthLaw::LogF(float x) {
    return static_cast<float>(std::log(static_cast<double>(x)));
}

float WidthLaw::PowF(float base, float exponent) {
    return static_cast<float>(std::pow(static_cast<double>(base), static_cast<double>(exponent)));
}

float WidthLaw::Ratio(std::int32_t duration, std::int32_t reference, float factor) {
    const float x = static_cast<float>(duration) / static_cast<float>(reference);
    const float y = static_cast<float>(static_cast<double>(LogF(x)) / std::numbers::ln2);
    return PowF(factor, y);
}

bool WidthLaw::Applies(std::int32_t duration, std::int32_t reference, float factor) {
    return duration > 0 && reference > 0 && std::isfinite(factor) && factor > 0.0f;
}

std::optional<std::int16_t> WidthLaw::ToWidth(float width) {
    if (!std::isfinite(width)) {
        return std::nullopt;
    }
    const float truncated = std::trunc(width);
    // Compared while still a float: the conversion itself is only defined for values that fit.
    if (truncated < std::numeric_limits<std::int16_t>::min() ||
        truncated > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(truncated);
}

bool WidthLaw::FitsWidthField(std::int32_t width) {
    return width >= std::numeric_limits<std::int16_t>::min() &&
           width <= std::numeric_limits<std::int16_t>::max();
}

std::int32_t WidthLaw::Clamp(std::int32_t width, std::int32_t minimum, std::int32_t maximum) {
    return std::max(std::min(width, maximum), minimum);
}
