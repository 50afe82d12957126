// Little-endian access to record fields at any byte offset. Fields often sit at odd offsets, so
// they are assembled byte by byte, never read through a cast pointer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace RecordBytes {

template <typename T> T Read(const void* record, std::size_t offset) {
    static_assert(std::is_integral_v<T>);
    const auto* bytes = static_cast<const unsigned char*>(record) + offset;
    std::make_unsigned_t<T> value = 0;
    for (std::size_t index = sizeof(T); index-- > 0;) {
        value = static_cast<std::make_unsigned_t<T>>((value << 8) | bytes[index]);
    }
    return static_cast<T>(value);
}

template <typename T> void Write(void* record, std::size_t offset, T value) {
    static_assert(std::is_integral_v<T>);
    auto* bytes = static_cast<unsigned char*>(record) + offset;
    auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (std::size_t index = 0; index < sizeof(T); ++index) {
        bytes[index] = static_cast<unsigned char>(bits & 0xFF);
        bits = static_cast<std::make_unsigned_t<T>>(bits >> 8);
    }
}

} // namespace RecordBytes

// One named field of a record layout: its type and byte offset. A layout checks at compile time
// that each of its fields ends within the record (static_assert(Field::kEnd <= size)).
template <typename T, std::size_t Offset> struct RecordField {
    static constexpr std::size_t kEnd = Offset + sizeof(T);

    static T Get(const void* record) { return RecordBytes::Read<T>(record, Offset); }
    static void Set(void* record, T value) { RecordBytes::Write<T>(record, Offset, value); }
};
