// The document the stand-in host holds: the score (part 0) and its linked parts. Each part has
// its own layout records (measures, staff systems and their staff lists, multimeasure rests);
// every other record and the music are shared by all parts. The current part decides which
// layout records a record
// call reaches.
#pragma once

#include "host/model/PartFlow.h"
#include "host/model/RecordStore.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>

class HostDocument {
public:
    // The six 16-bit words of a 12-byte preference component record.
    using ComponentWords = std::array<std::uint16_t, 6>;

    // The records a call for this tag reaches in the current part.
    RecordStore& StoreFor(std::uint32_t tag);
    static bool IsLayoutTag(std::uint32_t tag);

    RecordStore& Shared() { return shared_; }
    RecordStore& LayoutOf(std::int16_t part) { return layouts_[part]; }
    const std::map<std::int16_t, RecordStore>& Layouts() const { return layouts_; }

    // Gives back the room the stores keep for records to come, once the document is built.
    void ShrinkToFit();

    // The tag 'ot' followed by the two characters of a component code such as "94".
    static std::uint32_t ComponentTag(const char* code);
    // Stores a preference component record (shared by all parts) from its words.
    void PutComponent(const char* code, std::uint16_t key1, std::uint16_t key2,
                      const ComponentWords& words);
    // The words of a stored component record; all zero when there is none.
    ComponentWords ComponentAt(const char* code, std::uint16_t key1, std::uint16_t key2) const;

    std::int16_t CurrentPart() const { return currentPart_; }
    void SetCurrentPart(std::int16_t part) { currentPart_ = part; }
    std::int16_t Number() const { return number_; }
    // The number the host gives this document among the open ones.
    void SetNumber(std::int16_t number) { number_ = number; }

    // The slots of the staves of the current part's own staff list, as a staff list index
    // keeps them (HostStaffLists); valid while the store it was made from has its revision.
    struct SlotIndex {
        std::optional<std::uint64_t> revision;
        std::unordered_map<std::int16_t, std::int16_t> slots;
    };
    SlotIndex& CurrentSlotIndex() { return slotIndexes_[currentPart_]; }

    // What a part's systems were last laid out with (when loaded or by the layout update), or
    // null when they were never laid out; an edit that is cancelled puts it back too.
    const PartFlow::LaidOut* LaidOut(std::int16_t part) const;
    void SetLaidOut(std::int16_t part, PartFlow::LaidOut laidOut) {
        laidOut_[part] = std::move(laidOut);
    }

    // The records, the current part and the number; not the indexes made from them.
    bool operator==(const HostDocument& other) const {
        return shared_ == other.shared_ && layouts_ == other.layouts_ &&
               currentPart_ == other.currentPart_ && number_ == other.number_;
    }

private:
    RecordStore shared_;
    std::map<std::int16_t, RecordStore> layouts_;
    std::int16_t currentPart_ = 0;
    std::int16_t number_ = 1;
    std::map<std::int16_t, SlotIndex> slotIndexes_;
    std::map<std::int16_t, PartFlow::LaidOut> laidOut_;
};
