#include "engine/RestRedistribution.h"

#include "engine/WidthLaw.h"

#include <cstdint>
#include <numeric>

namespace {

// The widths of all items but the last from widthOf(index), the last taking what remains of the
// total, so that they add up to it; nothing when a width does not fit a width field.
template <typename WidthOf>
std::optional<std::vector<std::int16_t>> WidthsAddingUpTo(std::int32_t total, std::size_t count,
                                                          WidthOf widthOf) {
    std::vector<std::int16_t> widths;
    std::int32_t assigned = 0;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const std::optional<std::int16_t> width = widthOf(i);
        if (!width) {
            return std::nullopt;
        }
        widths.push_back(*width);
        assigned += *width;
    }
    const std::int32_t remainder = total - assigned;
    if (!WidthLaw::FitsWidthField(remainder)) {
        return std::nullopt;
    }
    widths.push_back(static_cast<std::int16_t>(remainder));
    return widths;
}

std::int32_t Sum(const std::vector<std::int32_t>& values) {
    return std::accumulate(values.begin(), values.end(), std::int32_t{0});
}

} // namespace

std::optional<std::size_t>
RestRedistribution::AnchorIndex(const std::vector<std::int32_t>& durations) {
    std::optional<std::size_t> anchor;
    std::int32_t smallest = kNoDuration;
    for (std::size_t i = 0; i < durations.size(); ++i) {
        if (durations[i] < smallest) {
            smallest = durations[i];
            anchor = i;
        }
    }
    return anchor;
}

std::optional<std::vector<std::int16_t>>
RestRedistribution::Share(const std::vector<std::int32_t>& widths,
                          const std::vector<std::int32_t>& durations, float factor) {
    const std::optional<std::size_t> anchor = AnchorIndex(durations);
    if (widths.empty() || widths.size() != durations.size() || !anchor) {
        return std::nullopt;
    }
    const std::int32_t reference = durations[*anchor];
    float sum = 0.0f;
    for (std::int32_t duration : durations) {
        if (!WidthLaw::Applies(duration, reference, factor)) {
            return std::nullopt;
        }
        sum += WidthLaw::Ratio(duration, reference, factor);
    }
    const std::int32_t total = Sum(widths);
    return WidthsAddingUpTo(total, durations.size(), [&](std::size_t i) {
        const float ratio = WidthLaw::Ratio(durations[i], reference, factor);
        return WidthLaw::ToWidth((ratio * static_cast<float>(total)) / sum);
    });
}

std::optional<std::vector<std::int16_t>>
RestRedistribution::Rescale(const std::vector<std::int32_t>& newWidths,
                            const std::vector<std::int32_t>& oldWidths) {
    const std::int32_t newTotal = Sum(newWidths);
    const std::int32_t total = Sum(oldWidths);
    if (newWidths.empty() || newWidths.size() != oldWidths.size() || newTotal == 0) {
        return std::nullopt;
    }
    return WidthsAddingUpTo(
        total, newWidths.size(), [&](std::size_t i) -> std::optional<std::int16_t> {
            const std::int64_t width = std::int64_t{newWidths[i]} * total / newTotal;
            if (!WidthLaw::FitsWidthField(width)) {
                return std::nullopt;
            }
            return static_cast<std::int16_t>(width);
        });
}
