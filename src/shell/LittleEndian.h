// Reads and writes of little-endian fields at any byte offset of a record. Record fields sit at
// odd offsets, so they are copied byte-wise rather than reached through casted pointers.
#pragma once

#include <bit>
#include <cstddef>
#include <cstring>
#include <type_traits>

namespace LittleEndian {

static_assert(std::endian::native == std::endian::little,
              "record fields are copied as they lie in memory");

template <typename Value> Value Read(const void* record, std::size_t offset) {
    static_assert(std::is_trivially_copyable_v<Value>);
    Value value;
    std::memcpy(&value, static_cast<const unsigned char*>(record) + offset, sizeof value);
    return value;
}

template <typename Value> void Write(void* record, std::size_t offset, Value value) {
    static_assert(std::is_trivially_copyable_v<Value>);
    std::memcpy(static_cast<unsigned char*>(record) + offset, &value, sizeof value);
}

} // namespace LittleEndian
