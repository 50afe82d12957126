// Reads a compiled Windows resource file (.res), the same bytes that windres links into the DLL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class ResourceFile {
public:
    explicit ResourceFile(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    // The data of the resource with numeric type and name; empty when there is none.
    std::span<const unsigned char> Find(unsigned type, unsigned name) const;

    // The text of string-table entry id; false when the table or the entry is missing.
    bool FindString(unsigned id, std::u16string& text) const;

private:
    std::span<const unsigned char> bytes_;
};
