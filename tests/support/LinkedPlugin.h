// The plug-in's code linked into this process, attached to a fresh stand-in host as the loader
// attaches the module: the host's functions findable as "FINALE.EXE", the plug-in's resources
// behind its handle, nothing bound yet, the default host version and choices.
#pragma once

#include "host/standin/StandInHost.h"

namespace LinkedPlugin {

// The handle the plug-in module was attached under (its resources are the real ones).
HMODULE Handle();

// Resets the host and attaches the plug-in to it.
void Attach(StandInHost& host);

// One spacing pass with the current settings, run the way Apply runs it: inside one undo block.
// True when it changed the document (edit kept).
bool RunSpacingPass();

} // namespace LinkedPlugin
