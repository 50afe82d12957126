// A 12-byte component record of the document's preferences, read as six 16-bit words. Loads
// start from a zeroed record, so a component the host cannot deliver reads as zeros.
#pragma once

#include "framework/data/CompositeRow.h"

#include <cstdint>

class ComponentRecord {
public:
    static constexpr std::int32_t kSize = 12;
    static constexpr int kWords = kSize / 2;

    ComponentRecord(std::uint32_t tag, std::int16_t key1, std::int16_t incidence);
    explicit ComponentRecord(const ComponentId& id);

    // Zeroes the record and asks the host for it; the bytes the host reports (at most 12).
    [[nodiscard]] std::int32_t Load();
    [[nodiscard]] bool Save();

    std::uint16_t Word(int index) const;
    // Stores the word; true when it differed from the word held.
    bool SetWord(int index, std::uint16_t value);

    // The record's 12 bytes, for copying whole records in and out.
    unsigned char* Bytes() { return bytes_; }

private:
    std::uint32_t tag_;
    std::int16_t keys_[3];
    unsigned char bytes_[kSize] = {};
    static_assert(sizeof(bytes_) == 12 && kWords == 6);
};
