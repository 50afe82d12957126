#include "host/RecordStore.h"

#include "host/HostRecords.h"

#include <algorithm>

namespace {

// Tags whose records are addressed by all three keys; every other tag uses key 1 and key 2.
constexpr std::uint32_t kThreeKeyTags[] = {HostRecords::FrameHold::kTag,
                                           HostRecords::StaffSize::kTag};

} // namespace

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

void RecordStore::Put(std::uint32_t tag, std::uint16_t key1, std::uint16_t key2, std::uint16_t key3,
                      Bytes bytes) {
    const std::int16_t keys[3] = {static_cast<std::int16_t>(key1), static_cast<std::int16_t>(key2),
                                  static_cast<std::int16_t>(key3)};
    records_[KeyOf(tag, keys)] = std::move(bytes);
    Changed();
}

const RecordStore::Bytes* RecordStore::Find(const RecordKey& key) const {
    const auto found = records_.find(key);
    return found == records_.end() ? nullptr : &found->second;
}

const RecordStore::Bytes* RecordStore::Find(std::uint32_t tag, std::uint16_t key1,
                                            std::uint16_t key2, std::uint16_t key3) const {
    return Find(RecordKey{tag, {key1, key2, key3}});
}

bool RecordStore::Replace(const RecordKey& key, Bytes bytes) {
    const auto found = records_.find(key);
    if (found == records_.end()) {
        return false;
    }
    found->second = std::move(bytes);
    Changed();
    return true;
}

bool RecordStore::Create(std::uint32_t tag, std::int16_t* keys, Bytes bytes) {
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
    if (!records_.emplace(key, std::move(bytes)).second) {
        return false;
    }
    Changed();
    for (int position = 0; position < used; ++position) {
        keys[position] = static_cast<std::int16_t>(key.keys[position]);
    }
    return true;
}

bool RecordStore::Erase(const RecordKey& key) {
    if (records_.erase(key) == 0) {
        return false;
    }
    Changed();
    return true;
}

std::optional<RecordKey> RecordStore::After(const RecordKey& key) const {
    const auto next = records_.upper_bound(key);
    if (next == records_.end() || next->first.tag != key.tag) {
        return std::nullopt;
    }
    return next->first;
}

std::size_t RecordStore::CountOf(std::uint32_t tag) const {
    return static_cast<std::size_t>(
        std::count_if(records_.begin(), records_.end(),
                      [tag](const auto& record) { return record.first.tag == tag; }));
}

// Revisions are counted over all stores, so no two states of any stores share one.
void RecordStore::Changed() {
    static std::uint64_t lastRevision = 0;
    revision_ = ++lastRevision;
}

std::uint16_t RecordStore::NextFree(const RecordKey& key, int position) const {
    unsigned next = position == 0 ? 1 : 0;
    for (auto it = records_.lower_bound(RecordKey{key.tag, {0, 0, 0}});
         it != records_.end() && it->first.tag == key.tag; ++it) {
        const auto& stored = it->first.keys;
        if (std::equal(stored.begin(), stored.begin() + position, key.keys.begin())) {
            next = std::max(next, stored[position] + 1u);
        }
    }
    return static_cast<std::uint16_t>(std::min(next, unsigned{kPlaceholder}));
}
