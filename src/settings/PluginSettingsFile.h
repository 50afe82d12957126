// The plug-in's keys in the shared settings file: the user's choices (PluginSettings) and the
// dialog's screen position, each under a key beginning "ZRSTPOL_".
#pragma once

#include "settings/WindowPlacement.h"

// Reads the file into PluginSettings and the placement; a key that is missing leaves its value,
// and the placement changes only when both of its keys exist. No file: nothing changes.
void LoadPluginSettings(WindowPlacement& placement);

// Writes PluginSettings and the placement (-1, -1 without one) into the file, keeping every
// other key and the order of the lines. A file that cannot be written is left as it was.
void SavePluginSettings(const WindowPlacement& placement);
