// Preference records that are arrays of 12-byte component records: the record with key k of a
// tag is n consecutive incidences of one component, starting at an incidence the key selects.
#pragma once

#include <cstdint>

struct ArrayRecordMap {
    std::uint32_t tag;
    char code[2];       // the component's tag is 'ot' followed by these two characters
    std::int16_t count; // components in the record
    std::int16_t minimumKey;
    std::int16_t maximumKey;
    bool keySelectsIncidence; // first incidence key - 1, else 0

    // The mapping of a tag, or null when its records are not arrays.
    static const ArrayRecordMap* Find(std::uint32_t tag);

    // A key outside the tag's range fails. No size variable fails; a null buffer asks for the
    // size; too little room fails without writing. The component loads are not checked: a
    // missing component leaves its 12 bytes zero.
    [[nodiscard]] bool Load(std::int16_t key, void* buffer, std::int32_t* size) const;
    // A key outside the range, no buffer or too small a size fails; otherwise every slice is
    // saved as its component and the result is true.
    [[nodiscard]] bool Save(std::int16_t key, const void* buffer, std::int32_t size) const;

private:
    bool FirstIncidence(std::int16_t key, std::int16_t& first) const;
    std::int32_t RecordSize() const;
    std::uint32_t ComponentTag() const;
};
