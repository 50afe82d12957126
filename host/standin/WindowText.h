// The text of a window, and of one item of a drop-down list, read as UTF-16.
#pragma once

#include "platform/Platform.h"

#include <string>

std::u16string WindowText(HWND window);
// The list's item at the zero-based index; empty when there is no such item.
std::u16string ListItemText(HWND list, int index);
