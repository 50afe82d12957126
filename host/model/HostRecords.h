// The records of the stand-in host's document as the host program keeps them: each kind's tag,
// size and field offsets, and the host versions that choose between layouts. The stand-in keeps
// these definitions apart from the plug-in's, so that it checks how the plug-in reads them.
#pragma once

#include "hostinterface/RecordTag.h"

#include <cstddef>
#include <cstdint>

namespace HostVersions {

// From this version on a staff record takes 132 bytes instead of 114.
inline constexpr std::uint32_t kLongerStaffRecord = 0x11000000;
// From this version on staff and measure records have their newest layouts.
inline constexpr std::uint32_t kNewestRecordLayouts = 0x12000000;
// The version the stand-in reports unless a score names another.
inline constexpr std::uint32_t kDefault = 0x1B000000;
// What a plug-in answers when the host tells it its version.
inline constexpr std::uint32_t kPluginAnswer = 0x0F000000;

} // namespace HostVersions

namespace HostRecords {

// A staff (keys: staff ID, 0).
namespace Staff {
inline constexpr std::uint32_t kTag = RecordTagOf("SOIS");
inline constexpr std::size_t kDefaultClef = 12;

constexpr std::size_t SizeFor(std::uint32_t version) {
    return version >= HostVersions::kNewestRecordLayouts ? 136
           : version >= HostVersions::kLongerStaffRecord ? 132
                                                         : 114;
}
} // namespace Staff

// A measure of a part's layout (keys: measure, 0).
namespace Measure {
inline constexpr std::uint32_t kTag = RecordTagOf("SOMS");
inline constexpr std::size_t kWidth = 0;

constexpr std::size_t SizeFor(std::uint32_t version) {
    return version >= HostVersions::kNewestRecordLayouts ? 30 : 26;
}
} // namespace Measure

// A staff system of a part's layout (keys: system, 0); it holds the measures from kFirst up to
// the one before kNext.
namespace System {
inline constexpr std::uint32_t kTag = RecordTagOf("SOSS");
inline constexpr std::size_t kSize = 28;
inline constexpr std::size_t kFirst = 8;
inline constexpr std::size_t kFlags = 10;
inline constexpr std::size_t kNext = 12;
inline constexpr std::size_t kScaling = 14;
// The scaling, in ten-thousandths, of a system at full size.
inline constexpr std::int32_t kFullScale = 10000;
} // namespace System

// A multimeasure rest of a part's layout (keys: its first measure, 0).
namespace Rest {
inline constexpr std::uint32_t kTag = 0x4F025849; // not four letters: bytes 4F 02 58 49
inline constexpr std::size_t kSize = 24;
inline constexpr std::size_t kWidth = 0;
inline constexpr std::size_t kNext = 2;
inline constexpr std::size_t kCountLimit = 10;
inline constexpr std::size_t kRestAdjust = 18;
inline constexpr std::size_t kFlags = 22;
} // namespace Rest

// One position of a staff list (keys: list, position).
namespace StaffList {
inline constexpr std::uint32_t kTag = RecordTagOf("SOIu");
inline constexpr std::size_t kSize = 24;
inline constexpr std::size_t kStaff = 0;
} // namespace StaffList

// A staff's size in a system (keys: staff list, staff, incidence).
namespace StaffSize {
inline constexpr std::uint32_t kTag = RecordTagOf("dtLP");
} // namespace StaffSize

// What a cell holds besides its music (keys: staff, measure, incidence).
namespace FrameHold {
inline constexpr std::uint32_t kTag = RecordTagOf("SDGF");
inline constexpr std::size_t kSize = 14;
// The clef, or with kHasClefChanges the item of the cell's clef-change list.
inline constexpr std::size_t kClef = 0;
inline constexpr std::size_t kFlags = 2;
inline constexpr std::size_t kClefPercent = 4;
// One 16-bit value per layer.
inline constexpr std::size_t kLayerValues = 6;
inline constexpr std::size_t kLayerValueCount = 4;
inline constexpr std::uint16_t kHasClefChanges = 0x400;
} // namespace FrameHold

// One clef change of a cell's list (keys: list, position).
namespace ClefChange {
inline constexpr std::uint32_t kTag = RecordTagOf("otCE");
inline constexpr std::size_t kSize = 12;
inline constexpr std::size_t kClef = 0;
// A word the host sets to 75 in every clef change it makes.
inline constexpr std::size_t kPresetWord = 6;
inline constexpr std::int16_t kPresetValue = 75;
} // namespace ClefChange

// The document's general preferences, one record (keys: kItem, 0).
namespace GeneralPrefs {
inline constexpr std::uint32_t kTag = RecordTagOf("pfgp");
inline constexpr std::uint16_t kItem = 1;
inline constexpr std::size_t kSize = 66;
inline constexpr std::size_t kMeasurementUnit = 30;
} // namespace GeneralPrefs

// The score (part 0) or a linked part (keys: part ID, 0).
namespace Part {
inline constexpr std::uint32_t kTag = RecordTagOf("otpD");
inline constexpr std::size_t kSize = 12;
} // namespace Part

// A preference component: six 16-bit words under the tag "ot" and a two-character code, keyed
// (kKey, incidence).
namespace Component {
inline constexpr std::size_t kSize = 12;
inline constexpr std::uint16_t kKey = 0xFFFE;

// The tag of the component with this two-character code, such as "94".
constexpr std::uint32_t TagOf(const char* code) {
    return RecordTagOf("ot\0\0") |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[0]) << 8) |
           static_cast<unsigned char>(code[1]);
}
static_assert(TagOf("83") == RecordTagOf("ot83"));

// Where a preference lives: the component's code, its incidence and the word in it.
struct Word {
    const char* code;
    std::uint16_t incidence;
    std::size_t word;
};

inline constexpr Word kMinimumWidth{"94", 0, 1};
inline constexpr Word kMaximumWidth{"94", 0, 2};
// The spacing ratio in ten-thousandths, split into its low and high 16 bits.
inline constexpr Word kSpacingRatioLow{"94", 1, 5};
inline constexpr Word kSpacingRatioHigh{"94", 2, 0};
inline constexpr double kSpacingRatioScale = 10000;
inline constexpr Word kRestMeasureWidth{"25", 0, 0};
inline constexpr Word kRestAdjust{"25", 1, 3};
inline constexpr Word kRestAutoUpdate{"83", 0, 4};
inline constexpr Word kClefPercentDefault{"13", 0, 2};
inline constexpr Word kClefDistance{"13", 0, 3};
} // namespace Component

// What the host writes into a new document's records where its score says nothing.
namespace Defaults {
inline constexpr std::int16_t kMinimumMeasureWidth = 72;
inline constexpr std::int16_t kMaximumMeasureWidth = 1000;
inline constexpr double kSpacingRatio = 1.414;
// A multimeasure rest's width and adjustment, and the preferences new rests take them from.
inline constexpr std::int16_t kRestWidth = 300;
inline constexpr std::int16_t kRestAdjust = -18;
inline constexpr std::int16_t kClefPercentDefault = 75;
inline constexpr std::int16_t kClefDistance = 12;
// A cell's clef drawn at full size.
inline constexpr std::int16_t kCellClefPercent = 100;
} // namespace Defaults

} // namespace HostRecords
