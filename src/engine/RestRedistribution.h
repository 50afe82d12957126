// Shares a total width among items in proportion to the width law of their durations: the
// item with the smallest duration anchors the ratios, each width is truncated and the last item
// takes the remainder, so the widths still add up to the total exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class RestRedistribution {
public:
    // Durations at or above this never anchor the ratios.
    static constexpr std::int32_t kNoDuration = 0x0FFFFFFF;

    // The new widths, or nothing when the items are left as they are: no items, no anchoring
    // duration, a duration or factor the law cannot use, or a width that does not fit.
    static std::optional<std::vector<std::int16_t>>
    Share(const std::vector<std::int32_t>& widths, const std::vector<std::int32_t>& durations,
          float factor);

    // Scales new widths so that together they keep the total of the earlier ones: each width is
    // new × total ÷ new total, truncated, and the last takes the remainder. Nothing when the new
    // total is 0 or a width does not fit.
    static std::optional<std::vector<std::int16_t>>
    Rescale(const std::vector<std::int32_t>& newWidths, const std::vector<std::int32_t>& oldWidths);

    // The index of the first of the smallest durations below kNoDuration, or nothing.
    static std::optional<std::size_t> AnchorIndex(const std::vector<std::int32_t>& durations);
};
