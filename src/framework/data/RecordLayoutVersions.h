// The host versions at which records of the document changed their layouts; a record is
// exchanged in the layout of the running host's version.
#pragma once

#include <cstdint>

namespace RecordLayoutVersions {

// Staff records grew from 114 to 132 bytes.
inline constexpr std::uint32_t kLongerStaff = 0x11000000;
// Staff records took 136 bytes, measure records 30, and the miscellaneous document preferences
// gained their last three fields.
inline constexpr std::uint32_t kNewest = 0x12000000;

} // namespace RecordLayoutVersions
