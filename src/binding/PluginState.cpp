#include "binding/PluginState.h"

#include <bit>

HMODULE moduleHandle = nullptr;
std::uint32_t hostVersion = HostAbi::kInterfaceVersion;
PluginSettingsRecord PluginSettings = PluginSettingsRecord::Defaults();

PluginSettingsRecord PluginSettingsRecord::Defaults() {
    PluginSettingsRecord defaults{};
    defaults.processingMode = 0;
    defaults.spacingMode = 0;
    defaults.useSingleRestSpacing = true;
    defaults.singleRestReference = 4;
    defaults.defaultSingleWidth = 480;
    defaults.useMMRestSpacing = true;
    // 1.3 rounded to single precision.
    defaults.mmRestScalingFactor = std::bit_cast<float>(std::uint32_t{0x3FA66666});
    defaults.useMMDurationSpacing = true;
    defaults.mmRestReference = 2;
    return defaults;
}
