// Small helpers for record tests: building record bytes with 16-bit fields at given offsets and
// reading them back, and picking the host's record calls for one tag out of its call log.
#pragma once

#include "host/StandInHost.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace RecordTest {

using Bytes = std::vector<unsigned char>;

// A record of the given size filled with fill, with 16-bit little-endian fields set.
inline Bytes Record(std::size_t size, std::initializer_list<std::pair<std::size_t, int>> fields,
                    unsigned char fill = 0) {
    Bytes bytes(size, fill);
    for (const auto& [offset, value] : fields) {
        bytes.at(offset) = static_cast<unsigned char>(value & 0xFF);
        bytes.at(offset + 1) = static_cast<unsigned char>((value >> 8) & 0xFF);
    }
    return bytes;
}

inline std::int16_t Int16At(const void* bytes, std::size_t offset) {
    const auto* data = static_cast<const unsigned char*>(bytes);
    return static_cast<std::int16_t>(data[offset] | (data[offset + 1] << 8));
}

inline std::uint32_t UInt32At(const void* bytes, std::size_t offset) {
    const auto* data = static_cast<const unsigned char*>(bytes);
    return static_cast<std::uint32_t>(data[offset] | (data[offset + 1] << 8) |
                                      (data[offset + 2] << 16)) |
           (static_cast<std::uint32_t>(data[offset + 3]) << 24);
}

// The calls of one host function for one tag (the tag is a record call's first argument).
inline std::vector<HostCall> CallsFor(const StandInHost& host, const char* function,
                                      std::uint32_t tag) {
    std::vector<HostCall> matching;
    for (const HostCall& call : host.CallsTo(function)) {
        if (!call.args.empty() && call.args[0] == static_cast<std::int64_t>(tag)) {
            matching.push_back(call);
        }
    }
    return matching;
}

// The (key 1, key 2) pairs of a function's calls for one tag, in call order.
inline std::vector<std::pair<int, int>> KeysOfCalls(const StandInHost& host, const char* function,
                                                    std::uint32_t tag) {
    std::vector<std::pair<int, int>> keys;
    for (const HostCall& call : CallsFor(host, function, tag)) {
        keys.emplace_back(static_cast<int>(call.args[1]), static_cast<int>(call.args[2]));
    }
    return keys;
}

} // namespace RecordTest
