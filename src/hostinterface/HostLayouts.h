// Byte layouts of the records the host fills for the plug-in to read: the selection record and
// the entry frames. One list of offsets, shared by the plug-in and the stand-in host.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace SelectionRecord {

inline constexpr std::size_t kStartStaffList = 0;
inline constexpr std::size_t kStartSlot = 2;
inline constexpr std::size_t kStartMeasure = 4;
inline constexpr std::size_t kStartPosition = 6;
inline constexpr std::size_t kEndStaffList = 10;
inline constexpr std::size_t kEndSlot = 12;
inline constexpr std::size_t kEndMeasure = 14;
inline constexpr std::size_t kEndPosition = 16;
inline constexpr std::size_t kSize = 20;
static_assert(kEndPosition + sizeof(std::int32_t) == kSize, "packed, no padding");

// The host's buffers for FX_GetCurERegions: 8 bytes, then two of 24 (the second receives the
// selection record, the third is what FX_RedrawMusic takes back).
inline constexpr std::size_t kFirstBufferSize = 8;
inline constexpr std::size_t kRegionBufferSize = 24;

struct Buffers {
    std::array<unsigned char, kFirstBufferSize> first{};
    std::array<unsigned char, kRegionBufferSize> selection{};
    std::array<unsigned char, kRegionBufferSize> redraw{};
};

} // namespace SelectionRecord

namespace EntryFrame {

// The staff of the frame's entries is FX_SlotToInst(slot, staff list).
inline constexpr std::size_t kStaffList = 0;
inline constexpr std::size_t kSlot = 2;
inline constexpr std::size_t kFrameValue = 6;
inline constexpr std::size_t kEntries = 14;
inline constexpr std::size_t kEntryCount = 22;
inline constexpr std::size_t kSize = 24;
static_assert(kEntries + sizeof(void*) <= kEntryCount, "the entry pointer fits before the count");

inline constexpr std::size_t kEntrySize = 146;
inline constexpr std::size_t kNoteCount = 14;
inline constexpr std::size_t kNotes = 16;
inline constexpr std::size_t kNoteSize = 10;
// As many notes as fit in one entry.
inline constexpr int kMaxNotes = static_cast<int>((kEntrySize - kNotes) / kNoteSize);
static_assert(kNotes + kMaxNotes * kNoteSize == kEntrySize);

} // namespace EntryFrame

// The menu record a plug-in fills when the host enumerates it: three text fields one after
// another (the menu text, the description, the extension name), each ending in a terminator,
// then 32 bits of flags; as 8-bit text or as UTF-16.
namespace MenuRecord {

inline constexpr std::size_t kTextCount = 3;
// Code units of text a field holds before its terminator.
inline constexpr std::size_t kMaxTextUnits = 63;

template <typename Unit> struct Layout {
    static constexpr std::size_t kFieldUnits = sizeof(Unit) == 1 ? 64 : 128;
    static constexpr std::size_t kFieldSize = kFieldUnits * sizeof(Unit);
    static constexpr std::size_t kMenuText = 0;
    static constexpr std::size_t kDescription = kFieldSize;
    static constexpr std::size_t kName = 2 * kFieldSize;
    static constexpr std::size_t kFlags = kTextCount * kFieldSize;
    static constexpr std::size_t kSize = kFlags + sizeof(std::uint32_t);
};

} // namespace MenuRecord

using MenuRecord8 = MenuRecord::Layout<char>;
using MenuRecord16 = MenuRecord::Layout<char16_t>;
