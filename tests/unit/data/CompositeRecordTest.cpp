#include "framework/data/CompositeRecord.h"
#include "binding/PluginState.h"
#include "data/RecordTestSupport.h"
#include "support/HostFixture.h"

#include <array>

namespace {

using namespace CompositeRows;
using RecordTest::Bytes;
using RecordTest::CallsFor;
using RecordTest::Int16At;
using RecordTest::UInt32At;

constexpr ComponentId kFirst{{'T', '1'}, 0, 0};
constexpr ComponentId kSecond{{'T', '2'}, 5, 1};

// Every conversion mode once, the rows of the two components interleaved.
constexpr CompositeRow kRows[] = {
    Word(kFirst, 0, 0),         {kSecond, 2, 0, 4, ConversionMode::LowHigh, 0},
    InvertedWord(kFirst, 1, 6), {kFirst, 8, 2, 2, ConversionMode::LowByte, 0},
    HighLowPair(kFirst, 3, 10), Word(kSecond, 5, 14).Since(0x12000000),
};
constexpr std::int32_t kSize = 16;
static_assert(SizeOf(kRows) == kSize && IsWellFormed(kRows));

class CompositeRecordTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        PutComponents();
    }

    void PutComponents() {
        host.Document() = HostDocument{};
        host.Document().PutComponent("T1", 0xFFFE, 0, {0x1111, 0, 0xFFCD, 0x0002, 0x0003, 0});
        host.Document().PutComponent("T2", 5, 1, {0x0004, 0x0005, 0, 0, 0, 0x7777});
    }

    Bytes Loaded() {
        Bytes record(kSize, 0xEE);
        std::int32_t size = kSize;
        EXPECT_TRUE(CompositeRecord::Load(kRows, record.data(), &size));
        EXPECT_EQ(size, kSize);
        return record;
    }

    std::size_t LoadsOf(const char* code) {
        return CallsFor(host, "FX_LoadEData", HostDocument::ComponentTag(code)).size();
    }
};

TEST_F(CompositeRecordTest, LoadConvertsEachFieldByItsMode) {
    const Bytes record = Loaded();
    EXPECT_EQ(Int16At(record.data(), 0), 0x1111);
    EXPECT_EQ(UInt32At(record.data(), 2), 0x00050004u) << "low half first";
    EXPECT_EQ(Int16At(record.data(), 6), 1) << "a zero word reads as 1";
    EXPECT_EQ(Int16At(record.data(), 8), 0xCD) << "low byte, zero-extended";
    EXPECT_EQ(UInt32At(record.data(), 10), 0x00020003u) << "high half first";
    EXPECT_EQ(Int16At(record.data(), 14), 0x7777);
}

TEST_F(CompositeRecordTest, EachComponentIsReadOnceWithItsKeys) {
    Loaded();
    EXPECT_EQ(RecordTest::KeysOfCalls(host, "FX_LoadEData", HostDocument::ComponentTag("T1")),
              (std::vector<std::pair<int, int>>{{-2, 0}}));
    EXPECT_EQ(RecordTest::KeysOfCalls(host, "FX_LoadEData", HostDocument::ComponentTag("T2")),
              (std::vector<std::pair<int, int>>{{5, 1}}));
    for (const HostCall& call : host.CallsTo("FX_LoadEData")) {
        EXPECT_EQ(call.args[4], 12);
        EXPECT_EQ(call.args[5], HostAbi::kInterfaceVersion);
    }
}

TEST_F(CompositeRecordTest, RowsAboveTheHostVersionTakeNoPart) {
    hostVersion = 0x11FFFFFF;
    const Bytes record = Loaded();
    EXPECT_EQ(record[14], 0xEE);
    EXPECT_EQ(record[15], 0xEE);
    EXPECT_EQ(Int16At(record.data(), 0), 0x1111);

    hostVersion = 0x12000000;
    EXPECT_EQ(Int16At(Loaded().data(), 14), 0x7777);
}

TEST_F(CompositeRecordTest, MissingComponentsGiveZeroWords) {
    host.Document().Shared().Erase(RecordKey{HostDocument::ComponentTag("T2"), {5, 1, 0}});
    const Bytes record = Loaded();
    EXPECT_EQ(UInt32At(record.data(), 2), 0u);
    EXPECT_EQ(Int16At(record.data(), 14), 0);
    EXPECT_EQ(Int16At(record.data(), 0), 0x1111);
}

TEST_F(CompositeRecordTest, SizeQueryAndShortRoomWriteNothing) {
    std::int32_t size = 0;
    EXPECT_TRUE(CompositeRecord::Load(kRows, nullptr, &size));
    EXPECT_EQ(size, kSize);
    Bytes record(kSize, 0xEE);
    size = kSize - 1;
    EXPECT_FALSE(CompositeRecord::Load(kRows, record.data(), &size));
    EXPECT_FALSE(CompositeRecord::Load(kRows, record.data(), nullptr));
    EXPECT_EQ(size, kSize - 1);
    EXPECT_EQ(record, Bytes(kSize, 0xEE));
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(CompositeRecordTest, SavingAnUnchangedRecordWritesNothing) {
    const Bytes record = Loaded();
    host.ClearCalls();
    EXPECT_TRUE(CompositeRecord::Save(kRows, record.data(), kSize));
    EXPECT_EQ(LoadsOf("T1"), 1u);
    EXPECT_EQ(LoadsOf("T2"), 1u);
    EXPECT_TRUE(host.CallsTo("FX_SaveEData").empty());
}

TEST_F(CompositeRecordTest, SaveWritesOnlyTheComponentsThatChanged) {
    struct Case {
        std::size_t offset;
        int value;
        const char* written;
        int word;
        std::uint16_t expected;
    };
    const Case cases[] = {
        {0, 0x2222, "T1", 0, 0x2222},  {6, 0, "T1", 1, 1}, // inverted: 0 stores 1
        {8, 0x00F0, "T1", 2, 0xFFF0},                      // low byte, sign-extended
        {10, 0x0009, "T1", 4, 0x0009},                     // low half of the high-first pair
        {4, 0x0006, "T2", 1, 0x0006},                      // high half of the low-first pair
    };
    for (const Case& c : cases) {
        PutComponents();
        Bytes record = Loaded();
        record[c.offset] = static_cast<unsigned char>(c.value & 0xFF);
        record[c.offset + 1] = static_cast<unsigned char>(c.value >> 8);
        host.ClearCalls();
        EXPECT_TRUE(CompositeRecord::Save(kRows, record.data(), kSize));
        const auto saves = host.CallsTo("FX_SaveEData");
        ASSERT_EQ(saves.size(), 1u) << c.offset;
        EXPECT_EQ(saves[0].args[0], HostDocument::ComponentTag(c.written)) << c.offset;
        EXPECT_EQ(saves[0].args[4], 12);
        const std::uint16_t key1 = c.written[1] == '1' ? 0xFFFE : 5;
        const std::uint16_t incidence = c.written[1] == '1' ? 0 : 1;
        EXPECT_EQ(host.Document().ComponentAt(c.written, key1, incidence)[c.word], c.expected)
            << c.offset;
    }
}

TEST_F(CompositeRecordTest, SaveRefusesARecordShorterThanItsFields) {
    const Bytes record = Loaded();
    host.ClearCalls();
    EXPECT_FALSE(CompositeRecord::Save(kRows, record.data(), kSize - 1));
    EXPECT_FALSE(CompositeRecord::Save(kRows, nullptr, kSize));
    EXPECT_TRUE(host.Calls().empty());
}

} // namespace
