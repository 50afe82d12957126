#include "tests/support/SeededDraw.h"

#include <cstdint>

// Draws that fall into the incomplete last round of the span are drawn again, so that the
// remainder is unbiased.
int SeededDraw::Between(int low, int high) {
    const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) -
                                                          static_cast<std::int64_t>(low)) +
                               1;
    constexpr std::uint64_t kOutcomes = std::uint64_t{1} << 32;
    const std::uint64_t usable = kOutcomes - kOutcomes % span;
    std::uint64_t drawn = engine_();
    while (drawn >= usable) {
        drawn = engine_();
    }
    return static_cast<int>(static_cast<std::int64_t>(low) +
                            static_cast<std::int64_t>(drawn % span));
}
