// The one road from the document record classes to the host's record functions. Loads and saves
// add three services: a guarded load for one fixed-size record kind, composite preference
// records assembled from 12-byte components, and preference records that are arrays of
// components. Every operation reports success as true; a missing host function gives false.
#pragma once

#include <cstdint>

class RecordAccess {
public:
    // The record whose first 108 bytes are zeroed before every load, so a failed load leaves
    // no stale contents.
    static constexpr std::uint32_t kGuardedTag = 0x4F096649;
    static constexpr std::int32_t kGuardedSize = 108;
    // Saves with an older layout version go to the host as they are.
    static constexpr std::uint32_t kFirstComposedVersion = 0x08000000;

    // buffer null: *size := the record's size. Otherwise *size is the room in and the record's
    // size out.
    [[nodiscard]] static bool LoadRecord(std::uint32_t tag, std::int16_t* keys, void* buffer,
                                         std::int32_t* size, std::uint32_t version);
    [[nodiscard]] static bool SaveRecord(std::uint32_t tag, std::int16_t* keys, const void* buffer,
                                         std::int32_t size, std::uint32_t version);
    // Keys of 0xFFFF are assigned by the host and written back into keys.
    [[nodiscard]] static bool CreateRecord(std::uint32_t tag, std::int16_t* keys,
                                           const void* buffer, std::int32_t size,
                                           std::uint32_t version);
    [[nodiscard]] static bool DeleteRecord(std::uint32_t tag, std::int16_t* keys,
                                           std::uint32_t version);
    // Moves keys to the tag's next record in key order; false when there is none.
    [[nodiscard]] static bool NextRecord(std::uint32_t tag, std::int16_t* keys,
                                         std::uint32_t version);

private:
    [[nodiscard]] static bool LoadGuarded(std::uint32_t tag, std::int16_t* keys, void* buffer,
                                          std::int32_t* size, std::uint32_t version);
};
