#include "settings/PluginSettingsFile.h"

#include "platform/IgnoredResult.h"

#include "binding/PluginState.h"
#include "settings/SettingsFile.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <variant>

namespace {

using SettingsField = std::variant<std::int32_t PluginSettingsRecord::*,
                                   bool PluginSettingsRecord::*, float PluginSettingsRecord::*>;

struct SettingsKey {
    const char* key;
    SettingsField field;
};

// The fields in the order in which they are read and written.
const SettingsKey kSettingsKeys[] = {
    {"ZRSTPOL_PROCESSINGMODE", &PluginSettingsRecord::processingMode},
    {"ZRSTPOL_SPACINGMODE", &PluginSettingsRecord::spacingMode},
    {"ZRSTPOL_USESINGLERESTSPACING", &PluginSettingsRecord::useSingleRestSpacing},
    {"ZRSTPOL_SINGLERESTREFERENCE", &PluginSettingsRecord::singleRestReference},
    {"ZRSTPOL_DEFAULTSINGLEWIDTH", &PluginSettingsRecord::defaultSingleWidth},
    {"ZRSTPOL_USEMMRESTSPACING", &PluginSettingsRecord::useMMRestSpacing},
    {"ZRSTPOL_MMRESTSCALINGFACTOR", &PluginSettingsRecord::mmRestScalingFactor},
    {"ZRSTPOL_USEMMDURATIONSPACING", &PluginSettingsRecord::useMMDurationSpacing},
    {"ZRSTPOL_MMRESTREFERENCE", &PluginSettingsRecord::mmRestReference},
};

constexpr const char* kWindowXKey = "ZRSTPOL_WINDOWX";
constexpr const char* kWindowYKey = "ZRSTPOL_WINDOWY";
constexpr std::int32_t kNoPosition = -1;

void ReadValue(const FCSettingsPairs& pairs, const char* key, std::int32_t& value) {
    pairs.GetInteger(key, value);
}

void ReadValue(const FCSettingsPairs& pairs, const char* key, bool& value) {
    pairs.GetBoolean(key, value);
}

void ReadValue(const FCSettingsPairs& pairs, const char* key, float& value) {
    pairs.GetFloat(key, value);
}

// The integer fields whose values the dialog lists; a value it cannot show is read as the
// default, so that a pass runs with what the dialog shows.
struct ListedRange {
    std::int32_t PluginSettingsRecord::*field;
    std::int32_t first;
    std::int32_t last;
};

const ListedRange kListedRanges[] = {
    {&PluginSettingsRecord::processingMode, kScopeRegion, kScopeAllPartsOnly},
    {&PluginSettingsRecord::spacingMode, kModeRedistribute, kModeNonRest},
    {&PluginSettingsRecord::singleRestReference, kFirstReferenceCount, kLastReferenceCount},
    {&PluginSettingsRecord::mmRestReference, kFirstReferenceCount, kLastReferenceCount},
};

void ReplaceUnusableValuesWithDefaults(PluginSettingsRecord& settings) {
    const PluginSettingsRecord defaults = PluginSettingsRecord::Defaults();
    for (const ListedRange& range : kListedRanges) {
        const std::int32_t value = settings.*range.field;
        if (value < range.first || value > range.last) {
            settings.*range.field = defaults.*range.field;
        }
    }
    if (!std::isfinite(settings.mmRestScalingFactor)) {
        settings.mmRestScalingFactor = defaults.mmRestScalingFactor;
    }
}

void WriteValue(FCSettingsPairs& pairs, const char* key, std::int32_t value) {
    pairs.SetInteger(key, value);
}

void WriteValue(FCSettingsPairs& pairs, const char* key, bool value) {
    pairs.SetBoolean(key, value);
}

// A value that is no finite number has no text that reads back as itself, so it is not written.
void WriteValue(FCSettingsPairs& pairs, const char* key, float value) {
    if (std::isfinite(value)) {
        pairs.SetFloat(key, value);
    }
}

void ReadPlacement(const FCSettingsPairs& pairs, WindowPlacement& placement) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (pairs.GetInteger(kWindowXKey, x) && pairs.GetInteger(kWindowYKey, y)) {
        placement.valid = true;
        placement.left = static_cast<float>(x);
        placement.top = static_cast<float>(y);
        placement.sizeValid = false;
    }
}

// A coordinate truncated toward zero; one beyond the 32-bit range stops at the nearest limit
// (a converted float outside it has no defined value) and one that is not a number counts as
// no position.
std::int32_t WholePixels(float coordinate) {
    constexpr float kBound = 2147483648.0f;
    if (std::isnan(coordinate)) {
        return kNoPosition;
    }
    if (coordinate >= kBound) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (coordinate < -kBound) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(coordinate);
}

void WritePlacement(FCSettingsPairs& pairs, const WindowPlacement& placement) {
    pairs.SetInteger(kWindowXKey, placement.valid ? WholePixels(placement.left) : kNoPosition);
    pairs.SetInteger(kWindowYKey, placement.valid ? WholePixels(placement.top) : kNoPosition);
}

} // namespace

void LoadPluginSettings(WindowPlacement& placement) {
    const std::unique_ptr<FCSettingsPairs> pairs = LoadSettingsFile();
    if (!pairs) {
        return;
    }
    ReadPlacement(*pairs, placement);
    for (const SettingsKey& entry : kSettingsKeys) {
        std::visit([&](auto field) { ReadValue(*pairs, entry.key, PluginSettings.*field); },
                   entry.field);
    }
    ReplaceUnusableValuesWithDefaults(PluginSettings);
}

void SavePluginSettings(const WindowPlacement& placement) {
    SettingsFileContents contents = ReadSettingsFile();
    // Other programs' keys in a file that cannot be read whole matter more than ours.
    if (contents.state == SettingsFileState::Unreadable) {
        return;
    }
    std::unique_ptr<FCSettingsPairs> pairs = std::move(contents.pairs);
    if (!pairs) {
        pairs = std::make_unique<FCSettingsPairs>();
    }
    WritePlacement(*pairs, placement);
    for (const SettingsKey& entry : kSettingsKeys) {
        std::visit([&](auto field) { WriteValue(*pairs, entry.key, PluginSettings.*field); },
                   entry.field);
    }
    Ignore(pairs->SaveSettingsFile(), Because::NoOneToTell);
}
