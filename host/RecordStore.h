// Records of one kind of storage, keyed by (tag, key 1, key 2, key 3), holding their bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

struct RecordKey {
    std::uint32_t tag;
    std::array<std::uint16_t, 3> keys;

    // Records of a tag are ordered by their keys compared as unsigned values.
    auto operator<=>(const RecordKey&) const = default;
    bool operator==(const RecordKey&) const = default;
};

class RecordStore {
public:
    using Bytes = std::vector<unsigned char>;

    // The key that asks the host to choose the value.
    static constexpr std::uint16_t kPlaceholder = 0xFFFF;

    // How many of the three keys the records of a tag use; the unused ones are stored as 0.
    static int KeysUsedBy(std::uint32_t tag);
    // The record a call's key array names: the used keys as given, the others 0.
    static RecordKey KeyOf(std::uint32_t tag, const std::int16_t* keys);

    // Stores the record, replacing any record at the same keys (for building documents).
    void Put(std::uint32_t tag, std::uint16_t key1, std::uint16_t key2, std::uint16_t key3,
             Bytes bytes);
    const Bytes* Find(const RecordKey& key) const;
    // The record stored under exactly these keys (unused keys are stored as 0).
    const Bytes* Find(std::uint32_t tag, std::uint16_t key1, std::uint16_t key2,
                      std::uint16_t key3) const;

    // Replaces an existing record; false when there is none.
    bool Replace(const RecordKey& key, Bytes bytes);
    // Adds a record after giving each placeholder key its value: key 1 the next free item
    // number of the tag, a later key the next free number under the keys before it. The
    // assigned keys are written back into the array. False when the keys are taken.
    bool Create(std::uint32_t tag, std::int16_t* keys, Bytes bytes);
    bool Erase(const RecordKey& key);
    // The first record of the same tag whose keys are greater.
    std::optional<RecordKey> After(const RecordKey& key) const;

    std::size_t CountOf(std::uint32_t tag) const;

    // Calls the visitor with the key and bytes of each record of the tag, in key order.
    template <typename Visit> void ForEach(std::uint32_t tag, Visit visit) const {
        const RecordKey first{tag, {0, 0, 0}};
        for (std::optional<RecordKey> key = Find(first) ? first : After(first); key;
             key = After(*key)) {
            visit(*key, *Find(*key));
        }
    }

    // Changes with every change of the records and names their contents: two stores with the
    // same revision hold the same records (a copy keeps the revision of what it copied).
    std::uint64_t Revision() const { return revision_; }

    bool operator==(const RecordStore& other) const { return records_ == other.records_; }

private:
    void Changed();

    // One past the highest value at the key's position among the records of its tag that agree
    // with it on the keys before that position; 1 (items) or 0 (incidences) when there are none.
    std::uint16_t NextFree(const RecordKey& key, int position) const;

    std::map<RecordKey, Bytes> records_;
    std::uint64_t revision_ = 0;
};
