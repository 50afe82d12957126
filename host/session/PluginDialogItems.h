// The plug-in's dialog as the stand-in's user knows it: its resource ID and the items the user
// reads, fills in and presses. Written out here rather than taken from the plug-in's resource
// header, so a wrong ID in the plug-in shows up as a failing session or test.
#pragma once

#include <cstdint>

namespace PluginDialogItems {

inline constexpr std::int16_t kDialog = 20128;
// How many items the dialog's template holds.
inline constexpr int kItemCount = 19;

inline constexpr int kApply = 1;
inline constexpr int kClose = 2;
inline constexpr int kModeLabel = 101;
inline constexpr int kModePopup = 102;
inline constexpr int kScopePopup = 104;
inline constexpr int kSimpleCheck = 105;
inline constexpr int kWidthEdit = 107;
inline constexpr int kReferenceMeasurePopup = 109;
inline constexpr int kMultimeasureCheck = 110;
inline constexpr int kFactorEdit = 111;
inline constexpr int kDurationsCheck = 113;
inline constexpr int kReferenceRestPopup = 115;

} // namespace PluginDialogItems
