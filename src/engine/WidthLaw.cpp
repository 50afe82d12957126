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

bool WidthLaw::FitsWidthField(std::int64_t width) {
    return width >= std::numeric_limits<std::int16_t>::min() &&
           width <= std::numeric_limits<std::int16_t>::max();
}

std::optional<std::int32_t> WidthLaw::ToDuration(std::int64_t duration) {
    if (duration < std::numeric_limits<std::int32_t>::min() ||
        duration > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(duration);
}

std::optional<std::int16_t> WidthLaw::Clamp(float width, std::int16_t minimum,
                                            std::int16_t maximum) {
    if (std::isnan(width)) {
        return std::nullopt;
    }
    // Clamped while still a float, so a width far beyond any integer is never converted.
    const float clamped = std::max(std::min(std::trunc(width), static_cast<float>(maximum)),
                                   static_cast<float>(minimum));
    return static_cast<std::int16_t>(clamped);
}
