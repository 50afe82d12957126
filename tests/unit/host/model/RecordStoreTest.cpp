#include "binding/HostApi.h"
#include "data/RecordTestSupport.h"
#include "host/model/HostRecords.h"
#include "support/HostFixture.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using RecordTest::Bytes;
using RecordTest::Record;

constexpr std::uint32_t kMeasureTag = HostRecords::Measure::kTag;       // a layout record
constexpr std::uint32_t kClefChangeTag = HostRecords::ClefChange::kTag; // two keys
constexpr std::uint32_t kFrameHoldTag = HostRecords::FrameHold::kTag;   // three keys
constexpr std::uint32_t kVersion = HostAbi::kInterfaceVersion;

class RecordStoreTest : public HostFixture {
protected:
    RecordStore& Shared() { return host.Document().Shared(); }
    RecordStore& Layout(std::int16_t part) { return host.Document().LayoutOf(part); }
};

TEST_F(RecordStoreTest, LoadAsksTheSizeOrFillsARoomLargeEnough) {
    Layout(0).Put(kMeasureTag, 3, 0, 0, Record(30, {{0, 480}}, 0x11));
    std::int16_t keys[3] = {3, 0, 0};

    std::int32_t size = 0;
    EXPECT_EQ(HostApi::LoadEData(kMeasureTag, keys, nullptr, &size, kVersion), 1);
    EXPECT_EQ(size, 30);

    Bytes buffer(40, 0xAA);
    size = 29;
    EXPECT_EQ(HostApi::LoadEData(kMeasureTag, keys, buffer.data(), &size, kVersion), 0);
    EXPECT_EQ(size, 29);
    EXPECT_EQ(buffer, Bytes(40, 0xAA)) << "a record larger than the room writes nothing";

    size = 40;
    EXPECT_EQ(HostApi::LoadEData(kMeasureTag, keys, buffer.data(), &size, kVersion), 1);
    EXPECT_EQ(size, 30);
    EXPECT_EQ(RecordTest::Int16At(buffer.data(), 0), 480);
    EXPECT_EQ(buffer[30], 0xAA);
}

TEST_F(RecordStoreTest, UnusedKeysAreIgnoredButUsedOnesMustMatch) {
    Layout(0).Put(kMeasureTag, 7, 0, 0, Record(26, {}));
    Shared().Put(kFrameHoldTag, 7, 2, 0, Record(14, {}));
    struct Case {
        std::uint32_t tag;
        std::array<std::int16_t, 3> keys;
        bool found;
    };
    const Case cases[] = {
        {kMeasureTag, {7, 0, 0}, true},    {kMeasureTag, {7, 0, 1234}, true},
        {kMeasureTag, {7, 1, 0}, false},   {kFrameHoldTag, {7, 2, 0}, true},
        {kFrameHoldTag, {7, 2, 1}, false}, {kMeasureTag, {8, 0, 0}, false},
    };
    for (const Case& c : cases) {
        auto keys = c.keys;
        std::int32_t size = 0;
        EXPECT_EQ(HostApi::LoadEData(c.tag, keys.data(), nullptr, &size, kVersion) != 0, c.found)
            << c.keys[0] << "," << c.keys[1] << "," << c.keys[2];
    }
}

TEST_F(RecordStoreTest, CreateAssignsPlaceholderKeysAndWritesThemBack) {
    Shared().Put(kClefChangeTag, 4, 0, 0, Record(12, {}));
    Shared().Put(kClefChangeTag, 4, 1, 0, Record(12, {}));
    Shared().Put(kClefChangeTag, 9, 0, 0, Record(12, {}));
    Shared().Put(kFrameHoldTag, 3, 5, 0, Record(14, {}));
    Shared().Put(kFrameHoldTag, 3, 5, 1, Record(14, {}));
    struct Case {
        std::uint32_t tag;
        std::array<std::int16_t, 3> keys;
        std::array<std::int16_t, 3> assigned;
    };
    const Case cases[] = {
        {kClefChangeTag, {-1, -1, 0}, {10, 0, 0}}, // next item number, first incidence
        {kClefChangeTag, {4, -1, 0}, {4, 2, 0}},   // next incidence under the item
        {kClefChangeTag, {7, -1, 0}, {7, 0, 0}},   // an item without incidences
        {kFrameHoldTag, {3, 5, -1}, {3, 5, 2}},    // the last key of a three-key tag
        {kMeasureTag, {-1, -1, 0}, {1, 0, 0}},     // an empty tag starts at item 1
    };
    for (const Case& c : cases) {
        auto keys = c.keys;
        EXPECT_EQ(HostApi::CreateEData(c.tag, keys.data(), Record(12, {}).data(), 12, kVersion), 1);
        EXPECT_EQ(keys, c.assigned);
        const RecordStore& store = host.Document().StoreFor(c.tag);
        EXPECT_NE(store.Find(RecordStore::KeyOf(c.tag, keys.data())), nullptr);
    }
}

TEST_F(RecordStoreTest, CreateRefusesTakenKeysAndExhaustedNumbers) {
    Shared().Put(kClefChangeTag, 4, 1, 0, Record(12, {{0, 1}}));
    Shared().Put(kClefChangeTag, 0xFFFE, 0, 0, Record(12, {}));
    const Bytes replacement = Record(12, {{0, 99}});
    for (std::array<std::int16_t, 3> keys :
         {std::array<std::int16_t, 3>{4, 1, 0}, std::array<std::int16_t, 3>{-1, 0, 0}}) {
        const auto before = keys;
        EXPECT_EQ(
            HostApi::CreateEData(kClefChangeTag, keys.data(), replacement.data(), 12, kVersion), 0);
        EXPECT_EQ(keys, before);
    }
    EXPECT_EQ(RecordTest::Int16At(Shared().Find(kClefChangeTag, 4, 1, 0)->data(), 0), 1);
    EXPECT_EQ(Shared().CountOf(kClefChangeTag), 2u);
}

TEST_F(RecordStoreTest, SaveReplacesOnlyExistingRecordsAndTakesTheSavedSize) {
    Shared().Put(kClefChangeTag, 2, 0, 0, Record(12, {}));
    std::int16_t existing[3] = {2, 0, 0};
    std::int16_t missing[3] = {2, 1, 0};
    const Bytes longer = Record(16, {{14, 7}});
    EXPECT_EQ(HostApi::SaveEData(kClefChangeTag, missing, longer.data(), 16, kVersion), 0);
    EXPECT_EQ(Shared().CountOf(kClefChangeTag), 1u);
    EXPECT_EQ(HostApi::SaveEData(kClefChangeTag, existing, longer.data(), 16, kVersion), 1);
    EXPECT_EQ(*Shared().Find(kClefChangeTag, 2, 0, 0), longer);
    EXPECT_EQ(HostApi::SaveEData(kClefChangeTag, existing, nullptr, 16, kVersion), 0);
    EXPECT_EQ(HostApi::SaveEData(kClefChangeTag, existing, longer.data(), -1, kVersion), 0);
    EXPECT_EQ(*Shared().Find(kClefChangeTag, 2, 0, 0), longer);
}

TEST_F(RecordStoreTest, DeleteRemovesOneRecord) {
    Shared().Put(kClefChangeTag, 2, 0, 0, Record(12, {}));
    Shared().Put(kClefChangeTag, 2, 1, 0, Record(12, {}));
    std::int16_t keys[3] = {2, 1, 0};
    EXPECT_EQ(HostApi::DeleteEData(kClefChangeTag, keys, kVersion), 1);
    EXPECT_EQ(HostApi::DeleteEData(kClefChangeTag, keys, kVersion), 0);
    EXPECT_EQ(Shared().CountOf(kClefChangeTag), 1u);
    EXPECT_NE(Shared().Find(kClefChangeTag, 2, 0, 0), nullptr);
}

TEST_F(RecordStoreTest, NextWalksTheTagInUnsignedKeyOrder) {
    for (std::uint16_t item : {0xFFFE, 0x8000, 2, 1}) {
        Shared().Put(kClefChangeTag, item, 0, 0, Record(12, {}));
    }
    Shared().Put(kClefChangeTag, 2, 3, 0, Record(12, {}));
    Shared().Put(kClefChangeTag + 1, 0xFFFF, 0, 0, Record(12, {}));
    std::int16_t keys[3] = {0, 0, 0};
    std::vector<std::array<std::int16_t, 3>> visited;
    while (HostApi::NextEData(kClefChangeTag, keys, kVersion)) {
        visited.push_back({keys[0], keys[1], keys[2]});
    }
    const std::vector<std::array<std::int16_t, 3>> expected = {
        {1, 0, 0}, {2, 0, 0}, {2, 3, 0}, {-32768, 0, 0}, {-2, 0, 0}};
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(keys[0], -2) << "the keys stay at the last record when there is no next one";
}

TEST_F(RecordStoreTest, LayoutRecordsBelongToTheCurrentPartAndOthersAreShared) {
    Layout(0).Put(kMeasureTag, 1, 0, 0, Record(26, {{0, 100}}));
    Layout(3).Put(kMeasureTag, 1, 0, 0, Record(26, {{0, 300}}));
    host.Document().PutComponent("94", 0xFFFE, 0, {5, 0, 0, 0, 0, 0});
    std::int16_t keys[3] = {1, 0, 0};
    std::int16_t componentKeys[3] = {-2, 0, 0};
    Bytes buffer(26);
    for (const auto& [part, width] : {std::pair{0, 100}, std::pair{3, 300}}) {
        host.Document().SetCurrentPart(static_cast<std::int16_t>(part));
        std::int32_t size = 26;
        ASSERT_EQ(HostApi::LoadEData(kMeasureTag, keys, buffer.data(), &size, kVersion), 1);
        EXPECT_EQ(RecordTest::Int16At(buffer.data(), 0), width);
        size = 12;
        ASSERT_EQ(HostApi::LoadEData(HostRecords::Component::TagOf("94"), componentKeys,
                                     buffer.data(), &size, kVersion),
                  1);
        EXPECT_EQ(RecordTest::Int16At(buffer.data(), 0), 5);
    }
}

using Keys = RecordStore::Keys;

// Keys of a tag's table in the shapes documents give them: items numbered densely, items with
// varying numbers of incidences, sparse clusters reaching the unsigned ends, three-key records.
struct TableShape {
    std::string name;
    std::uint32_t tag;
    std::vector<Keys> keys;
};

std::vector<TableShape> TableShapes() {
    std::vector<TableShape> shapes = {{"one record", kClefChangeTag, {{7, 0, 0}}},
                                      {"dense items", kMeasureTag, {}},
                                      {"varying incidences", kClefChangeTag, {}},
                                      {"sparse clusters", kClefChangeTag, {}},
                                      {"three keys", kFrameHoldTag, {}}};
    for (std::uint16_t item = 1; item <= 300; ++item) {
        shapes[1].keys.push_back({item, 0, 0});
    }
    for (std::uint16_t item = 2; item <= 120; item += 1 + item % 3) {
        for (std::uint16_t incidence = 0; incidence < item % 6; ++incidence) {
            shapes[2].keys.push_back({item, incidence, 0});
        }
    }
    for (std::uint16_t item : {0, 1, 2, 3, 900, 901, 40000, 40002, 65534, 65535}) {
        shapes[3].keys.push_back({item, 0, 0});
        shapes[3].keys.push_back({item, 0xFFFF, 0});
    }
    for (std::uint16_t item = 1; item <= 40; ++item) {
        for (std::uint16_t staff = 1; staff <= item % 4; ++staff) {
            for (std::uint16_t layer = 0; layer < 3; ++layer) {
                shapes[4].keys.push_back({item, staff, layer});
            }
        }
    }
    return shapes;
}

// Each stored key, its neighbours one up and one down in every position, and the two ends.
std::set<Keys> ProbesAround(const std::vector<Keys>& stored) {
    std::set<Keys> probes = {{0, 0, 0}, {0xFFFF, 0xFFFF, 0xFFFF}};
    for (const Keys& keys : stored) {
        probes.insert(keys);
        for (std::size_t position = 0; position < keys.size(); ++position) {
            for (int change : {-1, 1}) {
                Keys near = keys;
                near[position] = static_cast<std::uint16_t>(near[position] + change);
                probes.insert(near);
            }
        }
    }
    return probes;
}

// The value a placeholder at the position gets, worked out from the stored keys.
std::uint16_t ExpectedFree(const std::set<Keys>& stored, const Keys& keys, int position) {
    unsigned next = position == 0 ? 1 : 0;
    for (const Keys& other : stored) {
        if (std::equal(other.begin(), other.begin() + position, keys.begin())) {
            next = std::max(next, other[position] + 1u);
        }
    }
    return static_cast<std::uint16_t>(std::min(next, unsigned{RecordStore::kPlaceholder}));
}

TEST(RecordStoreLookUp, FindAfterAndCreateAgreeWithKeyOrderInEveryShapeOfTable) {
    for (const TableShape& shape : TableShapes()) {
        SCOPED_TRACE(shape.name);
        RecordStore store;
        // Stored out of order, so records also go in before others.
        std::vector<Keys> order = shape.keys;
        std::reverse(order.begin() + static_cast<std::ptrdiff_t>(order.size() / 2), order.end());
        for (const Keys& keys : order) {
            store.Put(shape.tag, keys[0], keys[1], keys[2],
                      Record(4, {{0, keys[0]}, {2, keys[1]}}));
        }
        const std::set<Keys> stored(shape.keys.begin(), shape.keys.end());
        const int used = RecordStore::KeysUsedBy(shape.tag);
        for (const Keys& probe : ProbesAround(shape.keys)) {
            SCOPED_TRACE(testing::Message() << probe[0] << "," << probe[1] << "," << probe[2]);
            const RecordStore::Found found = store.Find(RecordKey{shape.tag, probe});
            ASSERT_EQ(static_cast<bool>(found), stored.count(probe) == 1);
            if (found) {
                EXPECT_EQ(*found, Record(4, {{0, probe[0]}, {2, probe[1]}}));
            }
            const auto next = stored.upper_bound(probe);
            const std::optional<RecordKey> after = store.After(RecordKey{shape.tag, probe});
            ASSERT_EQ(after.has_value(), next != stored.end());
            if (after) {
                EXPECT_EQ(after->keys, *next);
            }
            for (int position = 0; position < used; ++position) {
                RecordStore copy = store;
                std::int16_t keys[3] = {};
                std::copy(probe.begin(), probe.begin() + position, keys);
                std::fill(keys + position, keys + used, -1);
                const std::uint16_t expected = ExpectedFree(stored, probe, position);
                const bool created = copy.Create(shape.tag, keys, Record(4, {}));
                EXPECT_EQ(created, expected != RecordStore::kPlaceholder)
                    << "position " << position;
                if (created) {
                    EXPECT_EQ(static_cast<std::uint16_t>(keys[position]), expected)
                        << "position " << position;
                }
            }
        }
    }
}

} // namespace
