// Process-wide state of the plug-in: its module handle, the host's interface version and the
// user's choices. Touched only from the host's user-interface thread.
#pragma once

#include "hostinterface/HostAbi.h"
#include "platform/Platform.h"

#include <cstdint>

// The scopes of a pass (PluginSettingsRecord::processingMode).
enum ProcessingMode : std::int32_t {
    kScopeRegion = 0,
    kScopeFullScoreAndParts = 1,
    kScopeAllPartsOnly = 2,
};

// The spacing modes (PluginSettingsRecord::spacingMode).
enum SpacingMode : std::int32_t {
    kModeRedistribute = 0,
    kModeRespace = 1,
    kModeNonRest = 2,
};

// The reference popups list the counts 2 to 8 (quarter notes of an empty measure, measures of a
// multimeasure rest).
inline constexpr std::int32_t kFirstReferenceCount = 2;
inline constexpr std::int32_t kLastReferenceCount = 8;

struct PluginSettingsRecord {
    std::int32_t processingMode;
    std::int32_t spacingMode;
    bool useSingleRestSpacing;
    std::int32_t singleRestReference;
    std::int32_t defaultSingleWidth;
    bool useMMRestSpacing;
    float mmRestScalingFactor;
    bool useMMDurationSpacing;
    std::int32_t mmRestReference;

    // The choices a user starts with.
    static PluginSettingsRecord Defaults();
};

extern HMODULE moduleHandle;
extern std::uint32_t hostVersion;
extern PluginSettingsRecord PluginSettings;

// From this host version on, the host takes and gives text as UTF-16.
inline constexpr std::uint32_t kFirstUTF16HostVersion = 0x11000000;
inline bool HostTakesUTF16() {
    return hostVersion >= kFirstUTF16HostVersion;
}
