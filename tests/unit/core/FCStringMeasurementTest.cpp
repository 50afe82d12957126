#include "framework/core/FCString.h"
#include "framework/core/MeasurementUnit.h"
#include "hostinterface/RecordBytes.h"
#include "platform/native/NativeUserScript.h"
#include "support/HostFixture.h"

#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kGeneralPrefsTag = 0x70666770; // pfgp

class FCStringMeasurementTest : public HostFixture {
protected:
    // The document's own unit, as the general preferences record holds it.
    void SetDocumentUnit(std::int16_t unit) {
        std::vector<unsigned char> record(66, 0);
        RecordBytes::Write(record.data(), 30, unit);
        host.Document().Shared().Put(kGeneralPrefsTag, 1, 0, 0, record);
    }

    static std::string Written(float evpus, std::int16_t unit) {
        FCString text;
        text.SetMeasurement(evpus, unit);
        return text.GetCString();
    }

    static float Read(const char* text, std::int16_t unit) {
        return FCString(text).GetMeasurement(unit);
    }
};

TEST_F(FCStringMeasurementTest, UnitWordsAreStrippedFirstMatchWinning) {
    struct Case {
        const char* text;
        const char* left;
        std::int16_t unit;
    };
    const Case cases[] = {
        {"12in", "12", kUnitInches},        {"3pt", "3", kUnitPoints},
        {"5s", "5", kUnitSpaces},           {"3pts.", "3", kUnitPoints},
        {"2 inches", "2", kUnitInches},     {"7 EVPUs", "7", kUnitEVPUs},
        {"1.5cm", "1.5", kUnitCentimeters}, {"4 mm", "4", kUnitMillimeters},
        {"2''", "2", kUnitInches},          {"1p6", "1p6", kUnitDefault},
        {"9", "9", kUnitDefault},           {"", "", kUnitDefault},
    };
    for (const Case& c : cases) {
        FCString text(c.text);
        EXPECT_EQ(text.ExtractMeasurementUnit(kUnitDefault), c.unit) << c.text;
        EXPECT_STREQ(text.GetCString(), c.left) << c.text;
    }
}

TEST_F(FCStringMeasurementTest, ReadsLengthsInEveryUnit) {
    struct Case {
        const char* text;
        std::int16_t unit;
        float evpus;
    };
    const Case cases[] = {
        {"1,5", kUnitInches, 432.0f},
        {"2 inches", kUnitEVPUs, 576.0f},
        {"1p6", kUnitPicas, 72.0f},
        {"2p", kUnitEVPUs, 96.0f},
        {"5mm", kUnitPoints, 5 * 11.34f},
        {"1", kUnitCentimeters, 113.4f},
        {"10", kUnitPoints, 40.0f},
        {"1.5", kUnitSpaces, 36.0f},
        {"abc", kUnitInches, 0.0f},
        {" 300 ", kUnitEVPUs, 300.0f},
        {"12", 7, 0.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(Read(c.text, c.unit), c.evpus) << c.text;
    }
}

TEST_F(FCStringMeasurementTest, WritesLengthsCuttingDigitsNotRounding) {
    struct Case {
        float evpus;
        std::int16_t unit;
        const char* text;
    };
    const Case cases[] = {
        {288, kUnitInches, "1"},
        {300, kUnitInches, "1.04166"},
        {72, kUnitPicas, "1p6"},
        {-72, kUnitPicas, "-1p6"},
        {-24, kUnitPicas, "-0p6"},
        // Just short of two picas: the "%f" of the quotient would round up to 2.
        {95.999992f, kUnitPicas, "1p11.99"},
        {-95.999992f, kUnitPicas, "-1p11.99"},
        {12.5f, kUnitEVPUs, "12.5"},
        {100, kUnitEVPUs, "100"},
        {250, kUnitPoints, "62.5"},
        {36, kUnitSpaces, "1.5"},
        {480, kUnitCentimeters, "4.23333"},
        {113.4f, kUnitMillimeters, "10.00124"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Written(c.evpus, c.unit), c.text) << c.evpus << " in unit " << c.unit;
    }
}

TEST_F(FCStringMeasurementTest, UnitZeroMeansTheDocumentsUnit) {
    SetDocumentUnit(kUnitInches);
    EXPECT_EQ(Written(288, kUnitDefault), "1");
    EXPECT_FLOAT_EQ(Read("2", kUnitDefault), 576.0f);
    // A unit word typed by the user still wins over the document's unit.
    EXPECT_FLOAT_EQ(Read("8pt", kUnitDefault), 32.0f);
}

TEST_F(FCStringMeasurementTest, WritesWithTheUsersDecimalSeparator) {
    NativeSetDecimalSeparator(",");
    EXPECT_EQ(Written(300, kUnitInches), "1,04166");
    EXPECT_FLOAT_EQ(Read("1,04166", kUnitInches), 1.04166f * 288.0f);
    NativeSetDecimalSeparator(nullptr); // the locale cannot tell: "."
    EXPECT_EQ(Written(36, kUnitSpaces), "1.5");
}

} // namespace
