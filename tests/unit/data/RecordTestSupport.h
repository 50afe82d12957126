// Small helpers for record tests: the tags of the records they use, building record bytes with
// 16-bit fields at given offsets and reading them back, a record class of the tests' own, and
// picking the host's record calls for one tag out of its call log.
#pragma once

#include "framework/data/FCInciOther.h"
#include "host/standin/StandInHost.h"
#include "hostinterface/RecordTag.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace RecordTest {

using Bytes = std::vector<unsigned char>;

// Written out here rather than taken from the plug-in or the host, so that a wrong tag on either
// side fails a test.
inline constexpr std::uint32_t kMeasureTag = RecordTagOf("SOMS");
inline constexpr std::uint32_t kSystemTag = RecordTagOf("SOSS");
inline constexpr std::uint32_t kRestTag = 0x4F025849;
inline constexpr std::uint32_t kFrameHoldTag = RecordTagOf("SDGF");
inline constexpr std::uint32_t kClefChangeTag = RecordTagOf("otCE");
inline constexpr std::uint32_t kStaffTag = RecordTagOf("SOIS");
inline constexpr std::uint32_t kStaffListTag = RecordTagOf("SOIu");
// A tag no document record uses, for TestIncidence.
inline constexpr std::uint32_t kIncidenceTag = RecordTagOf("otZZ");

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

// An incidence record of 12 bytes under kIncidenceTag, whose first word is its value. It keeps
// the default copy (a block of its own).
class TestIncidence : public __FCInciOther {
public:
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new TestIncidence; }
    std::uint32_t RecordTag() const override { return kIncidenceTag; }
    std::int32_t RecordSize() const override { return 12; }
    std::int16_t Value() const { return Int16At(RecordData(), 0); }
    std::int16_t Incidence() const { return Key(1); }

private:
    unsigned char record_[12] = {};
};

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
