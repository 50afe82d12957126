#include "engine/RestRedistribution.h"

#include "engine/WidthLaw.h"

#include <numeric>

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
    const std::int32_t total = std::accumulate(widths.begin(), widths.end(), std::int32_t{0});
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
    const std::int32_t remainder = total - assigned;
    if (!WidthLaw::FitsWidthField(remainder)) {
        return std::nullopt;
    }
    shared.push_back(static_cast<std::int16_t>(remainder));
    return shared;
}
