// Windows paths as the native file system takes them.
#pragma once

#include "platform/native/NativeWindows.h"

#include <cstddef>
#include <optional>
#include <string>

// The "\\?\" that starts a path in the long form, which GetFinalPathNameByHandleW gives.
inline constexpr char16_t kLongPathPrefix[] = u"\\\\?\\";
inline constexpr std::size_t kLongPathPrefixUnits = 4;

// The UTF-8 path of a UTF-16 Windows path (the long form's prefix dropped) with "\" turned into
// "/"; none when the path is null or holds a lone surrogate, which no UTF-8 name can carry.
std::optional<std::string> NativePath(LPCWSTR path);
