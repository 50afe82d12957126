#include "framework/core/LeadingInteger.h"

#include <gtest/gtest.h>

#include <climits>
#include <string_view>

namespace {

struct IntegerCase {
    std::string_view text;
    std::int32_t atStart;
    std::int32_t afterWhiteSpace;
};

// The two readings differ only in white space before the number.
TEST(LeadingInteger, ReadsSignAndDigitsAndHoldsValuesAtTheLimits) {
    const IntegerCase cases[] = {
        {"12abc", 12, 12},
        {"-17", -17, -17},
        {"+5", 5, 5},
        {"abc", 0, 0},
        {"", 0, 0},
        {"-", 0, 0},
        {"+-5", 0, 0},
        {"  42", 0, 42},
        {"\t\n\v\f\r-7", 0, -7},
        {"- 5", 0, 0},
        {"2147483647", INT_MAX, INT_MAX},
        {"2147483648", INT_MAX, INT_MAX},
        {"-2147483648", INT_MIN, INT_MIN},
        {"-99999999999999999999999", INT_MIN, INT_MIN},
        {" 99999999999999999999999", 0, INT_MAX},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(LeadingIntegerAtStart(c.text), c.atStart) << '"' << c.text << '"';
        EXPECT_EQ(LeadingIntegerAfterWhiteSpace(c.text), c.afterWhiteSpace) << '"' << c.text << '"';
    }
}

} // namespace
