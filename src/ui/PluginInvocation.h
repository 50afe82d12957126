// What the plug-in does when the host invokes it from its menu and when the host unloads it.
#pragma once

#include "platform/Platform.h"

void HandleInvocation(HWND hostWindow);
void HandleTermination();
