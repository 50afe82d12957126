#include "support/SettingsExpectations.h"

#include <gtest/gtest.h>

void ExpectSettings(const PluginSettingsRecord& actual, const PluginSettingsRecord& expected,
                    const std::string& context) {
    EXPECT_EQ(actual.processingMode, expected.processingMode) << context;
    EXPECT_EQ(actual.spacingMode, expected.spacingMode) << context;
    EXPECT_EQ(actual.useSingleRestSpacing, expected.useSingleRestSpacing) << context;
    EXPECT_EQ(actual.singleRestReference, expected.singleRestReference) << context;
    EXPECT_EQ(actual.defaultSingleWidth, expected.defaultSingleWidth) << context;
    EXPECT_EQ(actual.useMMRestSpacing, expected.useMMRestSpacing) << context;
    EXPECT_FLOAT_EQ(actual.mmRestScalingFactor, expected.mmRestScalingFactor) << context;
    EXPECT_EQ(actual.useMMDurationSpacing, expected.useMMDurationSpacing) << context;
    EXPECT_EQ(actual.mmRestReference, expected.mmRestReference) << context;
}
