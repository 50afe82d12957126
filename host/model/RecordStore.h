// Records of one kind of storage, keyed by (tag, key 1, key 2, key 3), holding their bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
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
    using Keys = std::array<std::uint16_t, 3>;

    // The bytes of a stored record, valid until the store next changes.
    class View {
    public:
        using value_type = unsigned char;
        using const_iterator = const unsigned char*;

        View() = default;
        View(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

        const unsigned char* data() const { return data_; }
        std::size_t size() const { return size_; }
        const_iterator begin() const { return data_; }
        const_iterator end() const { return data_ + size_; }
        unsigned char operator[](std::size_t index) const { return data_[index]; }
        // Throws std::out_of_range past the end, as a vector's would.
        unsigned char at(std::size_t index) const;
        // The little-endian 16-bit field at the offset.
        std::int16_t Word(std::size_t offset) const;

        operator Bytes() const { return Bytes(begin(), end()); }
        friend bool operator==(const View& view, const Bytes& bytes);

    private:
        const unsigned char* data_ = nullptr;
        std::size_t size_ = 0;
    };

    // A record looked for, used like a pointer to its bytes: null when there is none.
    class Found {
    public:
        Found() = default;
        explicit Found(View view) : view_(view), found_(true) {}

        explicit operator bool() const { return found_; }
        const View& operator*() const { return view_; }
        const View* operator->() const { return &view_; }
        friend bool operator==(const Found& found, std::nullptr_t) { return !found.found_; }

    private:
        View view_;
        bool found_ = false;
    };

    // The key that asks the host to choose the value.
    static constexpr std::uint16_t kPlaceholder = 0xFFFF;

    // How many of the three keys the records of a tag use; the unused ones are stored as 0.
    static int KeysUsedBy(std::uint32_t tag);
    // The record a call's key array names: the used keys as given, the others 0.
    static RecordKey KeyOf(std::uint32_t tag, const std::int16_t* keys);

    // Stores the record, replacing any record at the same keys (for building documents).
    void Put(std::uint32_t tag, std::uint16_t key1, std::uint16_t key2, std::uint16_t key3,
             const Bytes& bytes);
    Found Find(const RecordKey& key) const;
    // The record stored under exactly these keys (unused keys are stored as 0).
    Found Find(std::uint32_t tag, std::uint16_t key1, std::uint16_t key2, std::uint16_t key3) const;

    // Replaces an existing record; false when there is none.
    bool Replace(const RecordKey& key, const Bytes& bytes);
    // Adds a record after giving each placeholder key its value: key 1 the next free item
    // number of the tag, a later key the next free number under the keys before it. The
    // assigned keys are written back into the array. False when the keys are taken.
    bool Create(std::uint32_t tag, std::int16_t* keys, const Bytes& bytes);
    bool Erase(const RecordKey& key);
    // The first record of the same tag whose keys are greater.
    std::optional<RecordKey> After(const RecordKey& key) const;

    std::size_t CountOf(std::uint32_t tag) const;

    // Gives back the room kept for records to come and the bytes no record uses any more, in the
    // tables no copy shares: a document that is built holds only what its records take.
    void ShrinkToFit();

    // Calls the visitor with the key and bytes of each record of the tag, in key order, as the
    // records were when the visits began.
    template <typename Visit> void ForEach(std::uint32_t tag, Visit visit) const {
        const auto found = tables_.find(tag);
        if (found == tables_.end()) {
            return;
        }
        const std::shared_ptr<const Table> table = found->second;
        for (const Slot& slot : table->slots) {
            visit(RecordKey{tag, slot.keys}, table->ViewOf(slot));
        }
    }

    // Changes with every change of the records and names their contents: two stores with the
    // same revision hold the same records (a copy keeps the revision of what it copied).
    std::uint64_t Revision() const { return revision_; }

    // The same records with the same bytes.
    bool operator==(const RecordStore& other) const;

private:
    // Where a record's bytes lie in its tag's table.
    struct Slot {
        Keys keys;
        std::uint32_t offset;
        std::uint32_t size;
    };
    // The records of one tag, sorted by their keys, with their bytes one after another. A copy
    // of the store shares the tables; a table is copied when a shared one is about to change.
    struct Table {
        std::vector<Slot> slots;
        Bytes bytes;
        // Bytes no record refers to any more, given back when they reach half the table.
        std::size_t unused = 0;

        View ViewOf(const Slot& slot) const { return View(bytes.data() + slot.offset, slot.size); }
        std::vector<Slot>::const_iterator LowerBound(const Keys& keys) const;
        std::vector<Slot>::const_iterator UpperBound(const Keys& keys) const;
        // Points the slot at a copy of the bytes: in place when the size is the same.
        void Store(Slot& slot, const Bytes& record);
        void Forget(const Slot& slot);
        void Compact();
    };

    const Table* TableOf(std::uint32_t tag) const;
    // Where the record lies in its tag's table; nothing when there is none.
    std::optional<std::size_t> IndexOf(const RecordKey& key) const;
    // The tag's table, ready to change: made when there is none, copied when it is shared.
    Table& Writable(std::uint32_t tag);
    void Changed();

    // One past the highest value at the key's position among the records of its tag that agree
    // with it on the keys before that position; 1 (items) or 0 (incidences) when there are none.
    std::uint16_t NextFree(const RecordKey& key, int position) const;

    std::map<std::uint32_t, std::shared_ptr<Table>> tables_;
    std::uint64_t revision_ = 0;
};
