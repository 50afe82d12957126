// The one rule that turns a duration ratio into a width ratio: each doubling of the duration
// multiplies the width by the factor. Computed in single precision with correctly rounded
// logarithm and power, so every platform gives the same widths.
#pragma once

#include <cstdint>
#include <optional>

class WidthLaw {
public:
    // The width ratio p for duration d against reference dRef with factor F:
    // p = F ^ (ln(d / dRef) / ln 2), each step rounded to single precision.
    static float Ratio(std::int32_t duration, std::int32_t reference, float factor);

    // Whether the law can be applied: positive durations and a positive, finite factor.
    static bool Applies(std::int32_t duration, std::int32_t reference, float factor);

    // A computed width truncated toward zero, or nothing when it does not fit a width field.
    static std::optional<std::int16_t> ToWidth(float width);

    static bool FitsWidthField(std::int64_t width);

    // A duration summed or multiplied in 64 bits, or nothing when it does not fit 32.
    static std::optional<std::int32_t> ToDuration(std::int64_t duration);

    // A computed width truncated toward zero, then min(w, maximum) and max(w, minimum): the
    // minimum wins when the limits cross. However large the computed width, the clamped one
    // fits the field; nothing only when the width is not a number.
    static std::optional<std::int16_t> Clamp(float width, std::int16_t minimum,
                                             std::int16_t maximum);

    // Natural logarithm and power rounded once to single precision from double precision.
    static float LogF(float x);
    static float PowF(float base, float exponent);
};
