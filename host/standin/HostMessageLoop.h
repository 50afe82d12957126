// The host program's main loop while the user looks at the plug-in's dialog.
#pragma once

// Dispatches the host thread's window messages for the given seconds, as the host program's
// main loop does; the stand-in's native windows need no loop, so there the time only passes.
void KeepMessagesFlowing(int seconds);
