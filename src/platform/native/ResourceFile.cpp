#include "platform/native/ResourceFile.h"

namespace {

constexpr unsigned kStringTableType = 6;

std::uint16_t ReadWord(std::span<const unsigned char> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint32_t ReadDword(std::span<const unsigned char> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(ReadWord(bytes, offset)) |
           (static_cast<std::uint32_t>(ReadWord(bytes, offset + 2)) << 16);
}

std::size_t AlignToDword(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

// A type or name field: 0xFFFF followed by a numeric ID, or a zero-terminated UTF-16 name.
// Returns false when the field runs past the end; numeric is -1 for named entries.
bool ReadIdField(std::span<const unsigned char> bytes, std::size_t& offset, std::size_t end,
                 long& numeric) {
    if (offset + 2 > end) {
        return false;
    }
    if (ReadWord(bytes, offset) == 0xFFFF) {
        if (offset + 4 > end) {
            return false;
        }
        numeric = ReadWord(bytes, offset + 2);
        offset += 4;
        return true;
    }
    numeric = -1;
    while (offset + 2 <= end) {
        const std::uint16_t unit = ReadWord(bytes, offset);
        offset += 2;
        if (unit == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::span<const unsigned char> ResourceFile::Find(unsigned type, unsigned name) const {
    std::size_t offset = 0;
    while (offset + 8 <= bytes_.size()) {
        const std::uint32_t dataSize = ReadDword(bytes_, offset);
        const std::uint32_t headerSize = ReadDword(bytes_, offset + 4);
        const std::size_t headerEnd = offset + headerSize;
        if (headerSize < 8 || headerEnd > bytes_.size() || dataSize > bytes_.size() - headerEnd) {
            return {};
        }
        std::size_t field = offset + 8;
        long entryType = 0;
        long entryName = 0;
        if (!ReadIdField(bytes_, field, headerEnd, entryType) ||
            !ReadIdField(bytes_, field, headerEnd, entryName)) {
            return {};
        }
        if (entryType == static_cast<long>(type) && entryName == static_cast<long>(name)) {
            return bytes_.subspan(headerEnd, dataSize);
        }
        offset = AlignToDword(headerEnd + dataSize);
    }
    return {};
}

bool ResourceFile::FindString(unsigned id, std::u16string& text) const {
    const std::span<const unsigned char> table = Find(kStringTableType, id / 16 + 1);
    std::size_t offset = 0;
    for (unsigned index = 0; index < 16; ++index) {
        if (offset + 2 > table.size()) {
            return false;
        }
        const std::size_t length = ReadWord(table, offset);
        offset += 2;
        if (offset + 2 * length > table.size()) {
            return false;
        }
        if (index == id % 16) {
            text.clear();
            for (std::size_t unit = 0; unit < length; ++unit) {
                text.push_back(static_cast<char16_t>(ReadWord(table, offset + 2 * unit)));
            }
            return length > 0;
        }
        offset += 2 * length;
    }
    return false;
}
