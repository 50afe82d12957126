#include "settings/PluginSettingsFile.h"
#include "settings/SettingsFolderFixture.h"
#include "shell/PluginState.h"

#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class PluginSettingsFileTest : public SettingsFolderFixture {};

// The file a first run writes: the position keys, then the fields in their fixed order.
const std::string kDefaultFile = "ZRSTPOL_WINDOWX=-1\r\n"
                                 "ZRSTPOL_WINDOWY=-1\r\n"
                                 "ZRSTPOL_PROCESSINGMODE=0\r\n"
                                 "ZRSTPOL_SPACINGMODE=0\r\n"
                                 "ZRSTPOL_USESINGLERESTSPACING=1\r\n"
                                 "ZRSTPOL_SINGLERESTREFERENCE=4\r\n"
                                 "ZRSTPOL_DEFAULTSINGLEWIDTH=480\r\n"
                                 "ZRSTPOL_USEMMRESTSPACING=1\r\n"
                                 "ZRSTPOL_MMRESTSCALINGFACTOR=1.300000\r\n"
                                 "ZRSTPOL_USEMMDURATIONSPACING=1\r\n"
                                 "ZRSTPOL_MMRESTREFERENCE=2\r\n";

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

void ExpectPlacement(const WindowPlacement& actual, const WindowPlacement& expected,
                     const std::string& context) {
    EXPECT_EQ(actual.valid, expected.valid) << context;
    EXPECT_EQ(actual.left, expected.left) << context;
    EXPECT_EQ(actual.top, expected.top) << context;
    EXPECT_EQ(actual.sizeValid, expected.sizeValid) << context;
}

TEST_F(PluginSettingsFileTest, AFirstRunKeepsTheDefaultsAndWritesElevenLinesInOrder) {
    WindowPlacement placement;

    LoadPluginSettings(placement);
    ExpectSettings(PluginSettings, PluginSettingsRecord::Defaults(), "after loading");
    EXPECT_FALSE(placement.valid);
    SavePluginSettings(placement);

    EXPECT_EQ(ReadBytes(SettingsPath()), kDefaultFile);
}

struct PlacementCase {
    const char* file;
    WindowPlacement expected;
};

TEST_F(PluginSettingsFileTest, APositionLoadsOnlyWhenBothKeysExist) {
    // Each load starts from a window that remembers its size but no position.
    const WindowPlacement before{false, 7.0f, 8.0f, true};
    const PlacementCase cases[] = {
        {"ZRSTPOL_WINDOWX=120\r\n", before},
        {"ZRSTPOL_WINDOWY=120\r\n", before},
        {"ZRSTPOL_WINDOWX=120\r\nZRSTPOL_WINDOWY=-30\r\n", {true, 120.0f, -30.0f, false}},
        {"ZRSTPOL_WINDOWX=-1\r\nZRSTPOL_WINDOWY=-1\r\n", {true, -1.0f, -1.0f, false}},
        {"zrstpol_windowy=5px\r\nZrStPoL_WiNdOwX=abc\r\n", {true, 0.0f, 5.0f, false}},
    };
    for (const PlacementCase& c : cases) {
        WriteBytes(SettingsPath(), c.file);
        WindowPlacement placement = before;

        LoadPluginSettings(placement);

        ExpectPlacement(placement, c.expected, c.file);
    }
}

PluginSettingsRecord Changed(void (*change)(PluginSettingsRecord&)) {
    PluginSettingsRecord settings = PluginSettingsRecord::Defaults();
    change(settings);
    return settings;
}

struct FieldsCase {
    const char* file;
    PluginSettingsRecord expected;
};

TEST_F(PluginSettingsFileTest, FieldsLoadUncheckedAndMissingKeysKeepTheirValues) {
    const FieldsCase cases[] = {
        {"ZRSTPOL_PROCESSINGMODE=7\r\n"
         "ZRSTPOL_SPACINGMODE=-2\r\n"
         "ZRSTPOL_USESINGLERESTSPACING=true\r\n"
         "ZRSTPOL_SINGLERESTREFERENCE=16\r\n"
         "ZRSTPOL_DEFAULTSINGLEWIDTH=99999\r\n"
         "ZRSTPOL_USEMMRESTSPACING=0\r\n"
         "ZRSTPOL_MMRESTSCALINGFACTOR=2,5\r\n"
         "ZRSTPOL_USEMMDURATIONSPACING=01\r\n"
         "ZRSTPOL_MMRESTREFERENCE=3\r\n",
         Changed([](PluginSettingsRecord& s) {
             s.processingMode = 7;
             s.spacingMode = -2;
             s.useSingleRestSpacing = false;
             s.singleRestReference = 16;
             s.defaultSingleWidth = 99999;
             s.useMMRestSpacing = false;
             s.mmRestScalingFactor = 2.5f;
             s.useMMDurationSpacing = false;
             s.mmRestReference = 3;
         })},
        {"Other=1\r\nzrstpol_spacingmode=2\r\nZRSTPOL_MMRESTSCALINGFACTOR=0.75\r\n",
         Changed([](PluginSettingsRecord& s) {
             s.spacingMode = 2;
             s.mmRestScalingFactor = 0.75f;
         })},
        {"", PluginSettingsRecord::Defaults()},
    };
    for (const FieldsCase& c : cases) {
        WriteBytes(SettingsPath(), c.file);
        PluginSettings = PluginSettingsRecord::Defaults();
        WindowPlacement placement;

        LoadPluginSettings(placement);

        ExpectSettings(PluginSettings, c.expected, c.file);
    }
}

TEST_F(PluginSettingsFileTest, SavingKeepsEveryLineInPlaceAndAppendsMissingKeys) {
    WriteBytes(SettingsPath(), "Other.Width=12\r\n"
                               "zrstpol_spacingmode=1\r\n"
                               "ZRSTPOL_WINDOWX=5\r\n"
                               "\r\n"
                               "Other.Name = caf\xE9 \r\n");
    PluginSettings.spacingMode = 2;
    PluginSettings.useMMRestSpacing = false;

    SavePluginSettings({true, 10.7f, -3.9f, true});

    EXPECT_EQ(ReadBytes(SettingsPath()), "Other.Width=12\r\n"
                                         "zrstpol_spacingmode=2\r\n"
                                         "ZRSTPOL_WINDOWX=10\r\n"
                                         "Other.Name=caf\xE9\r\n"
                                         "ZRSTPOL_WINDOWY=-3\r\n"
                                         "ZRSTPOL_PROCESSINGMODE=0\r\n"
                                         "ZRSTPOL_USESINGLERESTSPACING=1\r\n"
                                         "ZRSTPOL_SINGLERESTREFERENCE=4\r\n"
                                         "ZRSTPOL_DEFAULTSINGLEWIDTH=480\r\n"
                                         "ZRSTPOL_USEMMRESTSPACING=0\r\n"
                                         "ZRSTPOL_MMRESTSCALINGFACTOR=1.300000\r\n"
                                         "ZRSTPOL_USEMMDURATIONSPACING=1\r\n"
                                         "ZRSTPOL_MMRESTREFERENCE=2\r\n");
}

struct PositionCase {
    float coordinate;
    const char* written;
};

TEST_F(PluginSettingsFileTest, PositionsAreWrittenAsWholePixelsWithinRange) {
    const PositionCase cases[] = {
        {250.9f, "250"},        {-250.9f, "-250"},        {-1.0f, "-1"},
        {3.0e9f, "2147483647"}, {-3.0e9f, "-2147483648"}, {-2147483648.0f, "-2147483648"},
        {std::nanf(""), "-1"},
    };
    for (const PositionCase& c : cases) {
        fs::remove(SettingsPath());

        SavePluginSettings({true, c.coordinate, c.coordinate, false});

        const std::string expected = std::string("ZRSTPOL_WINDOWX=") + c.written +
                                     "\r\nZRSTPOL_WINDOWY=" + c.written + "\r\n";
        EXPECT_EQ(ReadBytes(SettingsPath()).substr(0, expected.size()), expected) << c.written;
    }
}

TEST_F(PluginSettingsFileTest, WhatIsSavedLoadsBackUnchanged) {
    const PluginSettingsRecord saved = Changed([](PluginSettingsRecord& s) {
        s.processingMode = 2;
        s.spacingMode = 1;
        s.useSingleRestSpacing = false;
        s.singleRestReference = 8;
        s.defaultSingleWidth = 300;
        s.useMMRestSpacing = false;
        s.mmRestScalingFactor = 1.75f;
        s.useMMDurationSpacing = false;
        s.mmRestReference = 5;
    });
    PluginSettings = saved;
    SavePluginSettings({true, 64.0f, 48.0f, true});
    PluginSettings = PluginSettingsRecord::Defaults();
    WindowPlacement placement;

    LoadPluginSettings(placement);

    ExpectSettings(PluginSettings, saved, "reloaded");
    ExpectPlacement(placement, {true, 64.0f, 48.0f, false}, "reloaded");
}

TEST_F(PluginSettingsFileTest, AnOlderHostNeitherReadsNorWritesTheFile) {
    WriteBytes(SettingsPath(),
               "ZRSTPOL_SPACINGMODE=2\r\nZRSTPOL_WINDOWX=1\r\nZRSTPOL_WINDOWY=2\r\n");
    hostVersion = 0x18000000;
    WindowPlacement placement;

    LoadPluginSettings(placement);
    PluginSettings.spacingMode = 1;
    SavePluginSettings(placement);

    EXPECT_EQ(PluginSettings.spacingMode, 1);
    EXPECT_FALSE(placement.valid);
    EXPECT_EQ(ReadBytes(SettingsPath()),
              "ZRSTPOL_SPACINGMODE=2\r\nZRSTPOL_WINDOWX=1\r\nZRSTPOL_WINDOWY=2\r\n");
}

} // namespace
