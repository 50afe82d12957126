// The window class of the host program's main window: on Windows a frame that tells the windows
// it owns when it is enabled or disabled, as the host program's frame does; natively a plain one.
#pragma once

#include "platform/Platform.h"

LPCWSTR HostFrameClass();
