#include "engine/RestRedistribution.h"

#include "engine/WidthLaw.h"

#include <cstdint>
#include <numeric>

namespace {

// Appends the remainder that makes the widths add up to the total, when it fits.
bool AppendRemainder(std::vector<std::int16_t>& widths, std::int32_t total, std::int32_t assigned) {
    const std::int32_t remainder = total - assigned;
    if (!WidthLaw::FitsWidthField(remainder)) {
        return false;
    }
    widths.push_back(static_cast<std::int16_t>(remainder));
    return true;
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
    std::vector<std::int16_t> shared;
    std::int32_t assigned = 0;
    for (std::size_t i = 0; i + 1 < durations.size(); ++i) {
        const float ratio = WidthLaw::Ratio(durations[i], reference, factor);
        const std::optional<std::int16_t> width =
            WidthLaw::ToWidth((ratio * static_cast<float>(total)) / sum);
        if (!width) {
            return std::nullopt;
        }
        shared.push_back(*width);
        assigned += *width;
    }
    if (!AppendRemainder(shared, total, assigned)) {
        return std::nullopt;
    }
    return shared;
}

std::optional<std::vector<std::int16_t>>
RestRedistribution::Rescale(const std::vector<std::int32_t>& newWidths,
                            const std::vector<std::int32_t>& oldWidths) {
    const std::int32_t newTotal = Sum(newWidths);
    const std::int32_t total = Sum(oldWidths);
    if (newWidths.empty() || newWidths.size() != oldWidths.size() || newTotal == 0) {
        return std::nullopt;
    }
    std::vector<std::int16_t> scaled;
    std::int32_t assigned = 0;
    for (std::size_t i = 0; i + 1 < newWidths.size(); ++i) {
        const std::int64_t width = std::int64_t{newWidths[i]} * total / newTotal;
        if (width < INT16_MIN || width > INT16_MAX) {
            return std::nullopt;
        }
        scaled.push_back(static_cast<std::int16_t>(width));
        assigned += static_cast<std::int32_t>(width);
    }
    if (!AppendRemainder(scaled, total, assigned)) {
        return std::nullopt;
    }
    return scaled;
}
