// The host functions for music, layout, parts, selection, undoable edits, commands and folders.
#include "host/HostCallLog.h"
#include "host/HostFunctions.h"
#include "host/StandInHost.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::int16_t kSettingsFolderKind = 15;
constexpr std::size_t kPathUnits = 260;

} // namespace

extern "C" {

void* FX_LoadTGF(std::int32_t reserved, std::int16_t slot, std::int16_t measure, std::int16_t layer,
                 std::uint8_t option, std::uint32_t version) {
    HostCallLog::Record(__func__, {reserved, slot, measure, layer, option, version});
    return nullptr;
}

void FX_FreeTGF(void* frame, std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(frame), version});
}

std::int16_t FX_SlotToInst(std::int16_t slot, std::int16_t staffList, std::uint32_t version) {
    HostCallLog::Record(__func__, {slot, staffList, version});
    return 0;
}

std::int16_t FX_InstToSlot(std::int16_t staff, std::int16_t reserved, std::uint32_t version) {
    HostCallLog::Record(__func__, {staff, reserved, version});
    return 0;
}

std::int32_t FX_GetMeasureDuration(std::int16_t staff, std::int16_t measure,
                                   std::uint32_t version) {
    HostCallLog::Record(__func__, {staff, measure, version});
    return 0;
}

std::int16_t FX_GetMaxLayers(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return 4;
}

std::int16_t FX_GetShowLayer(std::int16_t layer, std::uint32_t version) {
    HostCallLog::Record(__func__, {layer, version});
    return 1;
}

std::int16_t FX_GetCurrentEnigmaDocument(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return 1;
}

std::int16_t FX_GetCurrentPartID(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return 0;
}

std::int16_t FX_SetCurrentPartID(std::int16_t part, std::uint32_t version) {
    HostCallLog::Record(__func__, {part, version});
    return 0;
}

std::uint16_t FX_GetNextPartID(std::uint16_t part, std::uint32_t version) {
    HostCallLog::Record(__func__, {part, version});
    return 0xFFFF;
}

std::int16_t FX_GetCurERegions(void* buffer8, void* buffer24a, void* buffer24b,
                               std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(buffer8), HostCallLog::Given(buffer24a),
                                   HostCallLog::Given(buffer24b), version});
    return 0;
}

std::int16_t FX_RedrawMusic(const void* region24, std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(region24), version});
    return 1;
}

std::int16_t FX_StartFinaleEdit(const char* undoText, std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(undoText), version});
    return 0;
}

std::int16_t FX_StartFinaleEdit_UTF16(const std::uint16_t* undoText, std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(undoText), version});
    return 0;
}

std::int16_t FX_EndFinaleEdit(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return 0;
}

std::int16_t FX_CancelFinaleEdit(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return 0;
}

std::int16_t FX_UpdateLayout(std::int16_t a, std::int16_t b, std::uint32_t version) {
    HostCallLog::Record(__func__, {a, b, version});
    return 0;
}

std::int16_t FX_ExecuteMenuItem(std::int32_t command, std::uint32_t version) {
    HostCallLog::Record(__func__, {command, version});
    return 0;
}

std::int16_t FX_GetFinalePath(std::int16_t folderKind, std::uint16_t* buffer260,
                              std::uint32_t version) {
    HostCallLog::Record(__func__, {folderKind, HostCallLog::Given(buffer260), version});
    const std::u16string& folder = StandInHost::Instance().SettingsFolder();
    if (folderKind != kSettingsFolderKind || folder.empty() || !buffer260) {
        return 0;
    }
    // At most 259 units, so the terminator fits in the 260-unit area.
    const std::size_t count = std::min<std::size_t>(folder.size(), kPathUnits - 1);
    std::copy_n(folder.begin(), count, buffer260);
    buffer260[count] = 0;
    return 1;
}

} // extern "C"
