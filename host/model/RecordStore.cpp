#include "host/model/RecordStore.h"

#include "host/model/HostRecords.h"
#include "hostinterface/RecordBytes.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

// Tags whose records are addressed by all three keys; every other tag uses key 1 and key 2.
constexpr std::uint32_t kThreeKeyTags[] = {HostRecords::FrameHold::kTag,
                                           HostRecords::StaffSize::kTag};

} // namespace

unsigned char RecordStore::View::at(std::size_t index) const {
    if (index >= size_) {
        throw std::out_of_range("record byte " + std::to_string(index) + " of " +
                                std::to_string(size_));
    }
    return data_[index];
}

std::int16_t RecordStore::View::Word(std::size_t offset) const {
    return RecordBytes::Read<std::int16_t>(data_, offset);
}

bool operator==(const RecordStore::View& view, const RecordStore::Bytes& bytes) {
    return std::equal(view.begin(), view.end(), bytes.begin(), bytes.end());
}

int RecordStore::KeysUsedBy(std::uint32_t tag) {
    return std::find(std::begin(kThreeKeyTags), std::end(kThreeKeyTags), tag) !=
                   std::end(kThreeKeyTags)
               ? 3
               : 2;
}

RecordKey RecordStore::KeyOf(std::uint32_t tag, const std::int16_t* keys) {
    RecordKey key{tag, {0, 0, 0}};
    const int used = KeysUsedBy(tag);
    for (int position = 0; position < used; ++position) {
        key.keys[position] = static_cast<std::uint16_t>(keys[position]);
    }
    return key;
}

// Starts where the record would lie if the tag's items were spread evenly over the table (exact
// for items numbered densely with the same number of records each, as measures and their
// layout records are), then widens the step until the record is passed and searches that
// stretch: a look-up costs the logarithm of the guess's miss, not of the table's size.
std::vector<RecordStore::Slot>::const_iterator
RecordStore::Table::LowerBound(const Keys& keys) const {
    const auto less = [](const Slot& slot, const Keys& sought) { return slot.keys < sought; };
    if (slots.empty() || !(slots.front().keys < keys)) {
        return slots.begin();
    }
    if (slots.back().keys < keys) {
        return slots.end();
    }
    // Here the first record is before the sought one and the last is not.
    const std::uint64_t first = slots.front().keys[0];
    const std::uint64_t span = slots.back().keys[0] - first + 1;
    const std::uint64_t guess = (keys[0] - first) * slots.size() / span;
    std::size_t low = 0;
    std::size_t high = slots.size() - 1;
    if (slots[guess].keys < keys) {
        low = guess;
        for (std::size_t step = 1; low + step < high; step *= 2) {
            if (!(slots[low + step].keys < keys)) {
                high = low + step;
                break;
            }
            low += step;
        }
    } else {
        high = guess;
        for (std::size_t step = 1; high - low > step; step *= 2) {
            if (slots[high - step].keys < keys) {
                low = high - step;
                break;
            }
            high -= step;
        }
    }
    // slots[low] is before the sought record and slots[high] is not.
    return std::lower_bound(slots.begin() + static_cast<std::ptrdiff_t>(low) + 1,
                            slots.begin() + static_cast<std::ptrdiff_t>(high), keys, less);
}

std::vector<RecordStore::Slot>::const_iterator
RecordStore::Table::UpperBound(const Keys& keys) const {
    const auto found = LowerBound(keys);
    return found != slots.end() && found->keys == keys ? std::next(found) : found;
}

void RecordStore::Table::Store(Slot& slot, const Bytes& record) {
    if (slot.size == record.size() && slot.offset + slot.size <= bytes.size()) {
        std::copy(record.begin(), record.end(), bytes.begin() + slot.offset);
        return;
    }
    Forget(slot);
    if (bytes.size() + record.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();
    }
    slot.offset = static_cast<std::uint32_t>(bytes.size());
    slot.size = static_cast<std::uint32_t>(record.size());
    bytes.insert(bytes.end(), record.begin(), record.end());
}

void RecordStore::Table::Forget(const Slot& slot) {
    unused += slot.size;
}

// Copies the bytes still in use to a new block, in the order of their records.
void RecordStore::Table::Compact() {
    Bytes kept;
    kept.reserve(bytes.size() - unused);
    for (Slot& slot : slots) {
        const auto first = bytes.begin() + slot.offset;
        slot.offset = static_cast<std::uint32_t>(kept.size());
        kept.insert(kept.end(), first, first + slot.size);
    }
    bytes = std::move(kept);
    unused = 0;
}

const RecordStore::Table* RecordStore::TableOf(std::uint32_t tag) const {
    const auto found = tables_.find(tag);
    return found == tables_.end() ? nullptr : found->second.get();
}

RecordStore::Table& RecordStore::Writable(std::uint32_t tag) {
    std::shared_ptr<Table>& table = tables_[tag];
    if (!table) {
        table = std::make_shared<Table>();
    } else if (table.use_count() > 1) {
        table = std::make_shared<Table>(*table);
    }
    return *table;
}

void RecordStore::Put(std::uint32_t tag, std::uint16_t key1, std::uint16_t key2, std::uint16_t key3,
                      const Bytes& bytes) {
    const std::int16_t keys[3] = {static_cast<std::int16_t>(key1), static_cast<std::int16_t>(key2),
                                  static_cast<std::int16_t>(key3)};
    const RecordKey key = KeyOf(tag, keys);
    if (!Replace(key, bytes)) {
        Table& table = Writable(tag);
        // Documents are built in key order, so the new record mostly goes last.
        const auto at = table.slots.empty() || table.slots.back().keys < key.keys
                            ? table.slots.end()
                            : table.LowerBound(key.keys);
        Slot& slot = *table.slots.insert(at, Slot{key.keys, 0, 0});
        table.Store(slot, bytes);
        Changed();
    }
}

std::optional<std::size_t> RecordStore::IndexOf(const RecordKey& key) const {
    const Table* table = TableOf(key.tag);
    if (!table) {
        return std::nullopt;
    }
    const auto slot = table->LowerBound(key.keys);
    if (slot == table->slots.end() || slot->keys != key.keys) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(slot - table->slots.begin());
}

RecordStore::Found RecordStore::Find(const RecordKey& key) const {
    const std::optional<std::size_t> index = IndexOf(key);
    if (!index) {
        return Found();
    }
    const Table& table = *TableOf(key.tag);
    return Found(table.ViewOf(table.slots[*index]));
}

RecordStore::Found RecordStore::Find(std::uint32_t tag, std::uint16_t key1, std::uint16_t key2,
                                     std::uint16_t key3) const {
    return Find(RecordKey{tag, {key1, key2, key3}});
}

bool RecordStore::Replace(const RecordKey& key, const Bytes& bytes) {
    const std::optional<std::size_t> index = IndexOf(key);
    if (!index) {
        return false;
    }
    Table& table = Writable(key.tag);
    table.Store(table.slots[*index], bytes);
    if (table.unused > table.bytes.size() / 2) {
        table.Compact();
    }
    Changed();
    return true;
}

bool RecordStore::Create(std::uint32_t tag, std::int16_t* keys, const Bytes& bytes) {
    RecordKey key = KeyOf(tag, keys);
    const int used = KeysUsedBy(tag);
    for (int position = 0; position < used; ++position) {
        if (key.keys[position] == kPlaceholder) {
            key.keys[position] = NextFree(key, position);
            if (key.keys[position] == kPlaceholder) {
                return false;
            }
        }
    }
    if (Find(key)) {
        return false;
    }
    Put(tag, key.keys[0], key.keys[1], key.keys[2], bytes);
    for (int position = 0; position < used; ++position) {
        keys[position] = static_cast<std::int16_t>(key.keys[position]);
    }
    return true;
}

bool RecordStore::Erase(const RecordKey& key) {
    const std::optional<std::size_t> index = IndexOf(key);
    if (!index) {
        return false;
    }
    Table& table = Writable(key.tag);
    const auto at = table.slots.begin() + static_cast<std::ptrdiff_t>(*index);
    table.Forget(*at);
    table.slots.erase(at);
    if (table.slots.empty()) {
        tables_.erase(key.tag);
    } else if (table.unused > table.bytes.size() / 2) {
        table.Compact();
    }
    Changed();
    return true;
}

std::optional<RecordKey> RecordStore::After(const RecordKey& key) const {
    const Table* table = TableOf(key.tag);
    if (!table) {
        return std::nullopt;
    }
    const auto next = table->UpperBound(key.keys);
    if (next == table->slots.end()) {
        return std::nullopt;
    }
    return RecordKey{key.tag, next->keys};
}

std::size_t RecordStore::CountOf(std::uint32_t tag) const {
    const Table* table = TableOf(tag);
    return table ? table->slots.size() : 0;
}

void RecordStore::ShrinkToFit() {
    for (const auto& [tag, table] : tables_) {
        if (table.use_count() == 1) {
            table->Compact();
            table->slots.shrink_to_fit();
        }
    }
}

bool RecordStore::operator==(const RecordStore& other) const {
    const auto sameTable = [](const auto& mine, const auto& theirs) {
        const Table& a = *mine.second;
        const Table& b = *theirs.second;
        return mine.first == theirs.first &&
               std::equal(a.slots.begin(), a.slots.end(), b.slots.begin(), b.slots.end(),
                          [&](const Slot& x, const Slot& y) {
                              return x.keys == y.keys &&
                                     std::ranges::equal(a.ViewOf(x), b.ViewOf(y));
                          });
    };
    return std::equal(tables_.begin(), tables_.end(), other.tables_.begin(), other.tables_.end(),
                      sameTable);
}

// Revisions are counted over all stores, so no two states of any stores share one.
void RecordStore::Changed() {
    static std::uint64_t lastRevision = 0;
    revision_ = ++lastRevision;
}

// The records that agree with the key before the position lie together in key order, and the
// last of them holds the highest value at the position.
std::uint16_t RecordStore::NextFree(const RecordKey& key, int position) const {
    unsigned next = position == 0 ? 1 : 0;
    if (const Table* table = TableOf(key.tag)) {
        Keys lastWithPrefix = key.keys;
        std::fill(lastWithPrefix.begin() + position, lastWithPrefix.end(), kPlaceholder);
        const auto after = table->UpperBound(lastWithPrefix);
        if (after != table->slots.begin()) {
            const Keys& last = std::prev(after)->keys;
            if (std::equal(last.begin(), last.begin() + position, key.keys.begin())) {
                next = std::max(next, last[position] + 1u);
            }
        }
    }
    return static_cast<std::uint16_t>(std::min(next, unsigned{kPlaceholder}));
}
