// Item IDs of the plug-in's dialog template, written out here rather than taken from the window
// class, so a wrong ID in the window shows up in the tests.
#pragma once

namespace CalvexDialogItems {

inline constexpr int kApply = 1;
inline constexpr int kClose = 2;
inline constexpr int kModePopup = 102;
inline constexpr int kScopePopup = 104;
inline constexpr int kSimpleCheck = 105;
inline constexpr int kWidthEdit = 107;
inline constexpr int kReferenceMeasurePopup = 109;
inline constexpr int kMultimeasureCheck = 110;
inline constexpr int kFactorEdit = 111;
inline constexpr int kDurationsCheck = 113;
inline constexpr int kReferenceRestPopup = 115;

} // namespace CalvexDialogItems
