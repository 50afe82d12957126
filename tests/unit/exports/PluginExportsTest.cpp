#include "hostinterface/PluginExports.h"
#include "binding/PluginState.h"
#include "support/HostFixture.h"
#include "support/SettingsExpectations.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr unsigned char kUntouched = 0xAB;
const std::string kDescription =
    "Spaces empty rests and multi-measure rests according to duration.";

class PluginExportsTest : public HostFixture {};

std::string Field8(const std::vector<unsigned char>& record, std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(record.data() + offset));
}

std::u16string Field16(const std::vector<unsigned char>& record, std::size_t offset) {
    std::u16string text;
    for (std::size_t at = offset;; at += 2) {
        const char16_t unit = static_cast<char16_t>(record[at] | (record[at + 1] << 8));
        if (unit == 0) {
            return text;
        }
        text.push_back(unit);
    }
}

TEST_F(PluginExportsTest, VersionIsStoredAndAnswered) {
    EXPECT_EQ(hostVersion, HostAbi::kInterfaceVersion);
    EXPECT_EQ(FinaleExtensionVersion(0x11FFFFFF), 0x0F000000u);
    EXPECT_EQ(hostVersion, 0x11FFFFFFu);
}

TEST_F(PluginExportsTest, InitSetsFlagBitZeroAndRestoresEveryDefault) {
    PluginSettings = {2, 2, false, 8, 1000, false, 1.9f, false, 8};
    std::uint32_t flags = 0x100;
    EXPECT_EQ(FinaleExtensionInit(nullptr, &flags), 1);
    EXPECT_EQ(flags, 0x101u);
    ExpectSettings(PluginSettings, {0, 0, true, 4, 480, true, 1.3f, true, 2}, "after Init");
    // The factor is exactly the float nearest 1.3.
    EXPECT_EQ(std::bit_cast<std::uint32_t>(PluginSettings.mmRestScalingFactor), 0x3FA66666u);
}

TEST_F(PluginExportsTest, EightBitRecordHoldsTheMenuTextsCutTo63Bytes) {
    std::vector<unsigned char> record(196, kUntouched);
    ASSERT_EQ(FinaleExtensionEnumerate(nullptr, 0, record.data()), 1);
    EXPECT_EQ(Field8(record, 0), "ZR Calvex...");
    EXPECT_EQ(Field8(record, 64), kDescription.substr(0, 63));
    EXPECT_EQ(Field8(record, 128), "Calvex");
    // Every field is zero after its text, up to its end, and the flags are 0.
    EXPECT_TRUE(
        std::all_of(record.begin() + 12, record.begin() + 64, [](auto b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(record.begin() + 134, record.end(), [](auto b) { return b == 0; }));
}

TEST_F(PluginExportsTest, Utf16RecordHoldsTheTextsAndLeavesTheRestOfEachField) {
    std::vector<unsigned char> record(772, kUntouched);
    ASSERT_EQ(FinaleExtensionEnumerate_UTF16(nullptr, -1, record.data()), 1);
    EXPECT_EQ(Field16(record, 0), u"ZR Calvex...");
    EXPECT_EQ(Field16(record, 256).size(), 63u);
    EXPECT_EQ(Field16(record, 512), u"Calvex");
    EXPECT_EQ(record[2 * 13], kUntouched); // after "ZR Calvex..." and its terminator
    EXPECT_EQ(record[2 * 64], kUntouched); // after the cut description's terminator
    std::uint32_t flags = 1;
    std::memcpy(&flags, record.data() + 768, sizeof flags);
    EXPECT_EQ(flags, 0u);
}

TEST_F(PluginExportsTest, IndexOneOrMoreAnswersZeroAndWritesNothing) {
    for (std::int16_t index : {1, 2, 32767}) {
        std::vector<unsigned char> record(772, kUntouched);
        EXPECT_EQ(FinaleExtensionEnumerate(nullptr, index, record.data()), 0);
        EXPECT_EQ(FinaleExtensionEnumerate_UTF16(nullptr, index, record.data()), 0);
        EXPECT_TRUE(
            std::all_of(record.begin(), record.end(), [](auto b) { return b == kUntouched; }))
            << "index " << index;
    }
}

TEST_F(PluginExportsTest, MenuItemIsAlwaysEnabled) {
    EXPECT_EQ(FinaleExtensionGetMenuStatus(nullptr), 1);
}

} // namespace
