// Record tags written as their four characters, most significant byte first: "SOMS" is
// 0x534F4D53.
#pragma once

#include <cstdint>

constexpr std::uint32_t RecordTagOf(const char (&text)[5]) {
    std::uint32_t tag = 0;
    for (int index = 0; index < 4; ++index) {
        tag = (tag << 8) | static_cast<unsigned char>(text[index]);
    }
    return tag;
}

static_assert(RecordTagOf("SOMS") == 0x534F4D53);
