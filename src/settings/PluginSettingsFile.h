// The plug-in's keys in the shared settings file: the user's choices (PluginSettings) and the
// dialog's screen position, each under a key beginning "ZRSTPOL_".
#pragma once

#include "settings/WindowPlacement.h"

// Reads the file into PluginSettings and the placement; a key that is missing leaves its value,
// and the placement changes only when both of its keys exist. A scope, spacing mode or reference
// count the dialog does not list, or a factor that is no finite number, is read as its default.
// No file: nothing changes.
void LoadPluginSettings(WindowPlacement& placement);

// Writes PluginSettings and the placement (-1, -1 without one) into the file, keeping every
// other line byte for byte and the order of the lines. A file that cannot be read whole, is
// read-only or cannot be written is left as it was.
void SavePluginSettings(const WindowPlacement& placement);
