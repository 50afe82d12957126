#include "framework/data/RecordAccess.h"
#include "data/RecordTestSupport.h"
#include "hostinterface/HostAbi.h"
#include "hostinterface/RecordTag.h"
#include "support/HostFixture.h"

#include <array>
#include <vector>

namespace {

using RecordTest::Bytes;
using RecordTest::CallsFor;
using RecordTest::kClefChangeTag;
using RecordTest::KeysOfCalls;
using RecordTest::kMeasureTag;
using RecordTest::Record;

constexpr std::uint32_t kVersion = HostAbi::kInterfaceVersion;
constexpr std::uint32_t kGuardedTag = 0x4F096649;

class RecordAccessTest : public HostFixture {
protected:
    HostDocument& Document() { return host.Document(); }
    RecordStore& Shared() { return host.Document().Shared(); }

    // A component whose six words all carry its incidence, so every slice is recognisable.
    void PutComponents(const char* code, int count) {
        for (int incidence = 0; incidence < count; ++incidence) {
            const auto mark = static_cast<std::uint16_t>(0x100 + incidence);
            Document().PutComponent(code, 0xFFFE, static_cast<std::uint16_t>(incidence),
                                    {mark, mark, mark, mark, mark, mark});
        }
    }
};

TEST_F(RecordAccessTest, PlainRecordsPassThroughToTheHost) {
    Shared().Put(kClefChangeTag, 3, 1, 0, Record(12, {{0, 42}}));
    std::int16_t keys[3] = {3, 1, 0};
    Bytes buffer(12);
    std::int32_t size = 12;
    ASSERT_TRUE(RecordAccess::LoadRecord(kClefChangeTag, keys, buffer.data(), &size, kVersion));
    EXPECT_EQ(RecordTest::Int16At(buffer.data(), 0), 42);

    buffer[0] = 43;
    EXPECT_TRUE(RecordAccess::SaveRecord(kClefChangeTag, keys, buffer.data(), 12, kVersion));
    EXPECT_EQ(RecordTest::Int16At(Shared().Find(kClefChangeTag, 3, 1, 0)->data(), 0), 43);
    EXPECT_FALSE(RecordAccess::NextRecord(kClefChangeTag, keys, kVersion));
    EXPECT_TRUE(RecordAccess::DeleteRecord(kClefChangeTag, keys, kVersion));
    EXPECT_EQ(Shared().CountOf(kClefChangeTag), 0u);
}

TEST_F(RecordAccessTest, AMissingHostFunctionFailsWithoutACall) {
    for (const char* name :
         {"FX_LoadEData", "FX_SaveEData", "FX_CreateEData", "FX_DeleteEData", "FX_NextEData"}) {
        host.HideFunction(name);
    }
    std::int16_t keys[3] = {1, 0, 0};
    std::int32_t size = 0;
    Bytes buffer(12);
    EXPECT_FALSE(RecordAccess::LoadRecord(kMeasureTag, keys, nullptr, &size, kVersion));
    EXPECT_FALSE(RecordAccess::SaveRecord(kMeasureTag, keys, buffer.data(), 12, kVersion));
    EXPECT_FALSE(RecordAccess::CreateRecord(kMeasureTag, keys, buffer.data(), 12, kVersion));
    EXPECT_FALSE(RecordAccess::DeleteRecord(kMeasureTag, keys, kVersion));
    EXPECT_FALSE(RecordAccess::NextRecord(kMeasureTag, keys, kVersion));
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(RecordAccessTest, GuardedRecordIsZeroedBeforeTheLoad) {
    Bytes buffer(120, 0xAA);
    std::int16_t keys[3] = {1, 0, 0};
    std::int32_t size = 120;
    EXPECT_FALSE(RecordAccess::LoadRecord(kGuardedTag, keys, buffer.data(), &size, kVersion));
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 108), Bytes(108, 0));
    EXPECT_EQ(buffer[108], 0xAA) << "only the guarded 108 bytes are cleared";

    Shared().Put(kGuardedTag, 1, 0, 0, Record(108, {{106, 9}}, 0x01));
    size = 120;
    EXPECT_TRUE(RecordAccess::LoadRecord(kGuardedTag, keys, buffer.data(), &size, kVersion));
    EXPECT_EQ(size, 108);
    EXPECT_EQ(RecordTest::Int16At(buffer.data(), 106), 9);
}

TEST_F(RecordAccessTest, GuardedRecordRefusesARoomSmallerThanItsGuard) {
    Bytes buffer(64, 0xAA);
    std::int16_t keys[3] = {1, 0, 0};
    std::int32_t size = 64;
    EXPECT_FALSE(RecordAccess::LoadRecord(kGuardedTag, keys, buffer.data(), &size, kVersion));
    EXPECT_FALSE(RecordAccess::LoadRecord(kGuardedTag, keys, buffer.data(), nullptr, kVersion));
    EXPECT_EQ(buffer, Bytes(64, 0xAA));
    EXPECT_EQ(size, 64);
    EXPECT_TRUE(host.Calls().empty());
}

struct ArrayCase {
    std::uint32_t tag;
    std::int16_t key;
    const char* component; // null: the key is out of range
    int count;
    int firstIncidence;
};

TEST_F(RecordAccessTest, ArrayRecordsLoadConsecutiveComponents) {
    const ArrayCase cases[] = {
        {RecordTagOf("pfGb"), 2, "98", 1, 1},     {RecordTagOf("pfGb"), 4, "98", 1, 3},
        {RecordTagOf("pfGb"), 5, nullptr, 0, 0},  {RecordTagOf("pfGb"), 0, nullptr, 0, 0},
        {RecordTagOf("pfSN"), 128, "40", 1, 127}, {RecordTagOf("pfSN"), 129, nullptr, 0, 0},
        {RecordTagOf("pfSl"), 15, "26", 1, 14},   {RecordTagOf("pfTs"), 10, nullptr, 0, 0},
        {RecordTagOf("pfPF"), 1, "77", 4, 0},     {RecordTagOf("pfPF"), 2, nullptr, 0, 0},
        {RecordTagOf("pfGs"), 1, "91", 1, 0},     {RecordTagOf("pfGs"), 0, nullptr, 0, 0},
        {RecordTagOf("pfTX"), -7, "78", 9, 0},    {RecordTagOf("pfGG"), 3, "88", 11, 0},
        {RecordTagOf("pfSP"), 1, "94", 3, 0},
    };
    for (const ArrayCase& c : cases) {
        host.Reset();
        host.RegisterHostModule();
        if (c.component) {
            PutComponents(c.component, c.firstIncidence + c.count);
        }
        Bytes buffer(150, 0xAA);
        std::int16_t keys[3] = {c.key, 0, 0};
        std::int32_t size = 150;
        const bool loaded = RecordAccess::LoadRecord(c.tag, keys, buffer.data(), &size, kVersion);
        ASSERT_EQ(loaded, c.component != nullptr)
            << std::hex << c.tag << std::dec << " key " << c.key;
        if (!loaded) {
            EXPECT_EQ(buffer, Bytes(150, 0xAA))
                << std::hex << c.tag << std::dec << " key " << c.key;
            EXPECT_TRUE(host.Calls().empty()) << std::hex << c.tag << std::dec << " key " << c.key;
            continue;
        }
        EXPECT_EQ(size, 12 * c.count);
        const std::uint32_t componentTag = HostDocument::ComponentTag(c.component);
        std::vector<std::pair<int, int>> expectedKeys;
        for (int index = 0; index < c.count; ++index) {
            expectedKeys.emplace_back(-2, c.firstIncidence + index);
            EXPECT_EQ(RecordTest::Int16At(buffer.data(), 12 * index + 10),
                      0x100 + c.firstIncidence + index)
                << std::hex << c.tag << std::dec << " slice " << index;
        }
        EXPECT_EQ(KeysOfCalls(host, "FX_LoadEData", componentTag), expectedKeys)
            << std::hex << c.tag;
        EXPECT_EQ(buffer[12 * c.count], 0xAA) << std::hex << c.tag;
    }
}

TEST_F(RecordAccessTest, ArrayRecordSizeQueryAndShortRoom) {
    std::int16_t keys[3] = {1, 0, 0};
    std::int32_t size = 0;
    EXPECT_TRUE(RecordAccess::LoadRecord(RecordTagOf("pfTC"), keys, nullptr, &size, kVersion));
    EXPECT_EQ(size, 60);
    EXPECT_FALSE(RecordAccess::LoadRecord(RecordTagOf("pfTC"), keys, nullptr, nullptr, kVersion));

    Bytes buffer(59, 0xAA);
    size = 59;
    EXPECT_FALSE(
        RecordAccess::LoadRecord(RecordTagOf("pfTC"), keys, buffer.data(), &size, kVersion));
    EXPECT_EQ(size, 59);
    EXPECT_EQ(buffer, Bytes(59, 0xAA));
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(RecordAccessTest, ArrayRecordMissingComponentsReadAsZeros) {
    PutComponents("25", 1); // pfMM has two components; the second is missing
    Bytes buffer(24, 0xAA);
    std::int16_t keys[3] = {1, 0, 0};
    std::int32_t size = 24;
    EXPECT_TRUE(
        RecordAccess::LoadRecord(RecordTagOf("pfMM"), keys, buffer.data(), &size, kVersion));
    EXPECT_EQ(RecordTest::Int16At(buffer.data(), 0), 0x100);
    EXPECT_EQ(Bytes(buffer.begin() + 12, buffer.end()), Bytes(12, 0));
}

TEST_F(RecordAccessTest, ArrayRecordSaveWritesEverySlice) {
    PutComponents("77", 4);
    Bytes record(48);
    for (int index = 0; index < 4; ++index) {
        record[12 * index] = static_cast<unsigned char>(index + 1);
    }
    std::int16_t keys[3] = {1, 0, 0};
    EXPECT_TRUE(RecordAccess::SaveRecord(RecordTagOf("pfPF"), keys, record.data(), 48, kVersion));
    for (std::uint16_t index = 0; index < 4; ++index) {
        EXPECT_EQ(Document().ComponentAt("77", 0xFFFE, index)[0], index + 1);
    }

    host.ClearCalls();
    std::int16_t wrongKey[3] = {2, 0, 0};
    EXPECT_FALSE(
        RecordAccess::SaveRecord(RecordTagOf("pfPF"), wrongKey, record.data(), 48, kVersion));
    EXPECT_FALSE(RecordAccess::SaveRecord(RecordTagOf("pfPF"), keys, record.data(), 47, kVersion));
    EXPECT_FALSE(RecordAccess::SaveRecord(RecordTagOf("pfPF"), keys, nullptr, 48, kVersion));
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(RecordAccessTest, CompositeSizeQueryAsksNoHost) {
    const std::pair<std::uint32_t, int> cases[] = {
        {RecordTagOf("pfPB"), 44}, {RecordTagOf("pfMS"), 104}, {RecordTagOf("pfEX"), 50},
        {RecordTagOf("pfDP"), 76}, {RecordTagOf("pf05"), 22},  {RecordTagOf("pfPL"), 14},
        {RecordTagOf("pfRP"), 40}, {RecordTagOf("pfSI"), 54},  {RecordTagOf("pfSS"), 96},
    };
    for (const auto& [tag, expected] : cases) {
        std::int16_t keys[3] = {3, 0, 0};
        std::int32_t size = 0;
        EXPECT_TRUE(RecordAccess::LoadRecord(tag, keys, nullptr, &size, kVersion))
            << std::hex << tag;
        EXPECT_EQ(size, expected) << std::hex << tag;
    }
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(RecordAccessTest, PageFormatKeyChoosesCompositeArrayOrFailure) {
    const std::pair<std::int16_t, int> cases[] = {{0, 48}, {1, 48}, {2, -1}, {-1, -1}};
    for (const auto& [key, expected] : cases) {
        host.ClearCalls();
        std::int16_t keys[3] = {key, 0, 0};
        Bytes buffer(48);
        std::int32_t size = 48;
        const bool loaded =
            RecordAccess::LoadRecord(RecordTagOf("pfPF"), keys, buffer.data(), &size, kVersion);
        EXPECT_EQ(loaded, expected > 0) << key;
        // The composite reads ot78 too; the array only ot77.
        EXPECT_EQ(CallsFor(host, "FX_LoadEData", RecordTagOf("ot78")).size(), key == 0 ? 1u : 0u);
    }
}

TEST_F(RecordAccessTest, CompositeFieldsComeFromTheirComponents) {
    Document().PutComponent("65", 0xFFFE, 0, {0, 0, 0x0001, 0x0002, 0, 0});
    Document().PutComponent("FI", 10, 0, {0, 0, 0x1234, 0, 0, 0});
    Bytes page(44, 0xAA);
    Bytes spacing(104, 0xAA);
    std::int16_t keys[3] = {1, 0, 0};
    std::int32_t size = 44;
    ASSERT_TRUE(RecordAccess::LoadRecord(RecordTagOf("pfPB"), keys, page.data(), &size, kVersion));
    EXPECT_EQ(RecordTest::UInt32At(page.data(), 0), 0x00010002u) << "high word first";
    size = 104;
    ASSERT_TRUE(
        RecordAccess::LoadRecord(RecordTagOf("pfMS"), keys, spacing.data(), &size, kVersion));
    EXPECT_EQ(RecordTest::Int16At(spacing.data(), 102), 0x1234);
    EXPECT_EQ(KeysOfCalls(host, "FX_LoadEData", RecordTagOf("otFI")),
              (std::vector<std::pair<int, int>>{{10, 0}}));
}

TEST_F(RecordAccessTest, CompositeRefusesTooLittleRoomOrData) {
    std::int16_t keys[3] = {1, 0, 0};
    Bytes buffer(76, 0xAA);
    std::int32_t size = 75;
    EXPECT_FALSE(
        RecordAccess::LoadRecord(RecordTagOf("pfDP"), keys, buffer.data(), &size, kVersion));
    EXPECT_EQ(size, 75);
    EXPECT_FALSE(
        RecordAccess::LoadRecord(RecordTagOf("pfDP"), keys, buffer.data(), nullptr, kVersion));
    // Twice the row count (72) is still short of the 76 bytes the fields are read from.
    EXPECT_FALSE(RecordAccess::SaveRecord(RecordTagOf("pfDP"), keys, buffer.data(), 72, kVersion));
    EXPECT_FALSE(RecordAccess::SaveRecord(RecordTagOf("pfDP"), keys, nullptr, 76, kVersion));
    EXPECT_EQ(buffer, Bytes(76, 0xAA));
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(RecordAccessTest, OldLayoutVersionsSaveStraightToTheHost) {
    std::int16_t keys[3] = {1, 0, 0};
    Bytes buffer(76);
    static_cast<void>(
        RecordAccess::SaveRecord(RecordTagOf("pfDP"), keys, buffer.data(), 76, 0x07FFFFFF));
    ASSERT_EQ(host.CallsTo("FX_SaveEData").size(), 1u);
    EXPECT_EQ(host.CallsTo("FX_SaveEData")[0].args,
              (std::vector<std::int64_t>{RecordTagOf("pfDP"), 1, 0, 0, 76, 0x07FFFFFF}));
    EXPECT_TRUE(host.CallsTo("FX_LoadEData").empty());

    // From 0x08000000 on the record is composed: components are read, and as none differs from
    // the zero record, none is written.
    host.ClearCalls();
    EXPECT_TRUE(RecordAccess::SaveRecord(RecordTagOf("pfDP"), keys, buffer.data(), 76, 0x08000000));
    EXPECT_FALSE(host.CallsTo("FX_LoadEData").empty());
    EXPECT_TRUE(host.CallsTo("FX_SaveEData").empty());
}

} // namespace
