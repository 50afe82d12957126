#include "engine/WidthLaw.h"
#include "engine/RestRedistribution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using Widths = std::vector<std::int16_t>;

TEST(WidthLawTest, EachDoublingMultipliesByTheFactor) {
    EXPECT_EQ(WidthLaw::Ratio(4096, 4096, 1.3f), 1.0f);
    EXPECT_EQ(WidthLaw::Ratio(8192, 4096, 1.5f), 1.5f);
    EXPECT_EQ(WidthLaw::Ratio(16384, 4096, 1.5f), 2.25f);
    EXPECT_EQ(WidthLaw::Ratio(2048, 4096, 2.0f), 0.5f);
    // An empty measure of twice the reference: 480 x 1.3, truncated.
    EXPECT_EQ(WidthLaw::ToWidth(480.0f * WidthLaw::Ratio(8192, 4096, 1.3f)), 624);
}

// Rounding once from a wider result is what makes the logarithm and the power agree across C
// libraries; the long double results are the reference.
TEST(WidthLawTest, LogarithmAndPowerAreCorrectlyRoundedToSinglePrecision) {
    int mismatches = 0;
    for (int duration = 256; duration <= 65536; duration += 251) {
        for (int reference : {1024, 2048, 3072, 4096, 6144, 8192}) {
            const float x = static_cast<float>(duration) / static_cast<float>(reference);
            const float expectedLog = static_cast<float>(std::log(static_cast<long double>(x)));
            mismatches += WidthLaw::LogF(x) != expectedLog;
            for (float factor : {1.1f, 1.3f, 1.5f, 1.9f}) {
                const float y = WidthLaw::LogF(x);
                const float expectedPow = static_cast<float>(
                    std::pow(static_cast<long double>(factor), static_cast<long double>(y)));
                mismatches += WidthLaw::PowF(factor, y) != expectedPow;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(WidthLawTest, TheLawAppliesOnlyToPositiveDurationsAndFactors) {
    EXPECT_TRUE(WidthLaw::Applies(1, 1, 1.1f));
    EXPECT_FALSE(WidthLaw::Applies(0, 4096, 1.3f));
    EXPECT_FALSE(WidthLaw::Applies(4096, 0, 1.3f));
    EXPECT_FALSE(WidthLaw::Applies(-1024, 4096, 1.3f));
    EXPECT_FALSE(WidthLaw::Applies(4096, 4096, 0.0f));
    EXPECT_FALSE(WidthLaw::Applies(4096, 4096, -1.3f));
    EXPECT_FALSE(WidthLaw::Applies(4096, 4096, std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(WidthLaw::Applies(4096, 4096, std::numeric_limits<float>::infinity()));
}

TEST(WidthLawTest, WidthsMustFitTheirSixteenBitField) {
    EXPECT_EQ(WidthLaw::ToWidth(359.99f), 359);
    EXPECT_EQ(WidthLaw::ToWidth(-12.7f), -12);
    EXPECT_EQ(WidthLaw::ToWidth(32767.9f), 32767);
    EXPECT_EQ(WidthLaw::ToWidth(32768.0f), std::nullopt);
    EXPECT_EQ(WidthLaw::ToWidth(-32769.0f), std::nullopt);
    EXPECT_EQ(WidthLaw::ToWidth(std::numeric_limits<float>::infinity()), std::nullopt);
    EXPECT_EQ(WidthLaw::ToWidth(std::numeric_limits<float>::quiet_NaN()), std::nullopt);
}

// Sums and products are formed in 64 bits; what does not fit the field is refused, not cut.
TEST(WidthLawTest, DurationsAndWholeWidthsMustFitTheirFields) {
    constexpr std::int64_t kBeyond32Bits = (std::int64_t{1} << 32) + 5;
    EXPECT_EQ(WidthLaw::ToDuration(INT32_MAX), INT32_MAX);
    EXPECT_EQ(WidthLaw::ToDuration(std::int64_t{INT32_MAX} + 1), std::nullopt);
    EXPECT_EQ(WidthLaw::ToDuration(INT32_MIN), INT32_MIN);
    EXPECT_EQ(WidthLaw::ToDuration(std::int64_t{INT32_MIN} - 1), std::nullopt);
    EXPECT_EQ(WidthLaw::ToDuration(kBeyond32Bits), std::nullopt);
    EXPECT_TRUE(WidthLaw::FitsWidthField(-32768));
    EXPECT_TRUE(WidthLaw::FitsWidthField(32767));
    EXPECT_FALSE(WidthLaw::FitsWidthField(32768));
    EXPECT_FALSE(WidthLaw::FitsWidthField(kBeyond32Bits));
}

struct ClampCase {
    float width;
    std::int16_t minimum;
    std::int16_t maximum;
    std::optional<std::int16_t> expected;
};

TEST(WidthLawTest, ClampingTruncatesFirstAndLetsTheMinimumWinWhenTheLimitsCross) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const ClampCase cases[] = {
        {500.0f, 100, 400, 400},
        {50.0f, 100, 400, 100},
        {300.9f, 100, 400, 300},
        {50.0f, 400, 100, 400},
        {500.0f, 400, 100, 400},
        // Widths beyond the 16-bit field still take the limit they pass.
        {37842.6f, 100, 1000, 1000},
        {37842.6f, 100, 32767, 32767},
        {1.0e30f, 100, 1000, 1000},
        {kInfinity, 100, 1000, 1000},
        {-kInfinity, 100, 1000, 100},
        {std::numeric_limits<float>::quiet_NaN(), 100, 1000, std::nullopt},
    };
    for (const ClampCase& c : cases) {
        EXPECT_EQ(WidthLaw::Clamp(c.width, c.minimum, c.maximum), c.expected)
            << c.width << " in " << c.minimum << ".." << c.maximum;
    }
}

struct ShareCase {
    const char* what;
    std::vector<std::int32_t> widths;
    std::vector<std::int32_t> durations;
    float factor;
    std::optional<Widths> expected;
};

TEST(RestRedistributionTest, SharesTheTotalByDuration) {
    const ShareCase cases[] = {
        {"double duration, factor 1.5", {300, 300}, {4096, 2048}, 1.5f, Widths{360, 240}},
        {"equal durations, last takes the remainder",
         {300, 300, 400},
         {4096, 4096, 4096},
         1.3f,
         Widths{333, 333, 334}},
        {"a single item keeps the whole width", {250}, {3072}, 1.3f, Widths{250}},
        {"the anchor need not come first",
         {200, 200, 200},
         {8192, 2048, 4096},
         2.0f,
         Widths{342, 85, 173}},
        {"durations at the limit never anchor",
         {300, 300},
         {0x0FFFFFFF, 0x7FFFFFFF},
         1.5f,
         std::nullopt},
        {"no items", {}, {}, 1.5f, std::nullopt},
        {"a zero duration leaves the items as they are", {300, 300}, {0, 2048}, 1.5f, std::nullopt},
        {"a negative duration likewise", {300, 300}, {-1024, 2048}, 1.5f, std::nullopt},
        {"a zero factor likewise", {300, 300}, {4096, 2048}, 0.0f, std::nullopt},
        {"a width beyond the field likewise", {30000, 30000}, {2048, 1024}, 4.0f, std::nullopt},
    };
    for (const ShareCase& c : cases) {
        EXPECT_EQ(RestRedistribution::Share(c.widths, c.durations, c.factor), c.expected) << c.what;
    }
}

TEST(RestRedistributionTest, TheFirstOfEqualMinimaAnchors) {
    EXPECT_EQ(RestRedistribution::AnchorIndex({4096, 2048, 2048}), 1u);
    EXPECT_EQ(RestRedistribution::AnchorIndex({0x0FFFFFFF, 0x7FFFFFFF}), std::nullopt);
}

} // namespace

namespace {

struct RescaleCase {
    const char* what;
    std::vector<std::int32_t> newWidths;
    std::vector<std::int32_t> oldWidths;
    std::optional<Widths> expected;
};

TEST(RestRedistributionTest, RescalesNewWidthsToTheOldTotal) {
    const RescaleCase cases[] = {
        {"same total", {250, 250}, {200, 300}, Widths{250, 250}},
        {"smaller total", {100, 300}, {200, 300}, Widths{125, 375}},
        {"last takes the remainder", {100, 100, 100}, {300, 300, 400}, Widths{333, 333, 334}},
        {"a new total of 0 leaves the widths alone", {0, 0}, {200, 300}, std::nullopt},
        {"a width beyond the field", {1, 1000}, {30000, 30000}, std::nullopt},
    };
    for (const RescaleCase& c : cases) {
        EXPECT_EQ(RestRedistribution::Rescale(c.newWidths, c.oldWidths), c.expected) << c.what;
    }
}

} // namespace
