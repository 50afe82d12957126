// Compares the user's choices field by field, so a failure names the field that differs.
#pragma once

#include "binding/PluginState.h"

#include <string>

void ExpectSettings(const PluginSettingsRecord& actual, const PluginSettingsRecord& expected,
                    const std::string& context);
