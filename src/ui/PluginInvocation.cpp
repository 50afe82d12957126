#include "ui/PluginInvocation.h"

// The dialog and the settings file are not part of the module yet: an invocation shows nothing
// and a termination has nothing to save.
void HandleInvocation(HWND /*hostWindow*/) {}

void HandleTermination() {}
