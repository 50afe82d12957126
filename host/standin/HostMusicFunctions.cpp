// The host functions for music, layout, parts, selection, undoable edits, commands and folders.
#include "host/model/HostParts.h"
#include "host/model/HostStaffLists.h"
#include "host/standin/HostCallLog.h"
#include "host/standin/HostFunctions.h"
#include "host/standin/StandInHost.h"
#include "hostinterface/HostLayouts.h"
#include "hostinterface/RecordBytes.h"
#include "platform/EightBitText.h"

#include <algorithm>
#include <string>

namespace {

std::size_t UnitCount(const std::uint16_t* text) {
    std::size_t count = 0;
    while (text[count] != 0) {
        ++count;
    }
    return count;
}

std::int16_t StartEdit(std::u16string title) {
    StandInHost& host = StandInHost::Instance();
    return host.Edit().Start(host.Document(), std::move(title));
}

int EntryCountOf(const void* frame) {
    return RecordBytes::Read<std::int16_t>(static_cast<const unsigned char*>(frame),
                                           EntryFrame::kEntryCount);
}

} // namespace

extern "C" {

void* FX_LoadTGF(std::int32_t reserved, std::int16_t slot, std::int16_t measure, std::int16_t layer,
                 std::uint8_t option, std::uint32_t version) {
    HostCallLog::Record(__func__, {reserved, slot, measure, layer, option, version});
    StandInHost& host = StandInHost::Instance();
    void* frame = host.Music().LoadFrame(host.Document(), slot, measure, layer);
    HostCallLog::Answered(frame ? EntryCountOf(frame) : -1);
    return frame;
}

void FX_FreeTGF(void* frame, std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(frame), version});
    StandInHost::Instance().Music().FreeFrame(frame);
}

std::int16_t FX_SlotToInst(std::int16_t slot, std::int16_t staffList, std::uint32_t version) {
    HostCallLog::Record(__func__, {slot, staffList, version});
    return HostStaffLists::StaffAt(StandInHost::Instance().Document(), slot, staffList);
}

std::int16_t FX_InstToSlot(std::int16_t staff, std::int16_t reserved, std::uint32_t version) {
    HostCallLog::Record(__func__, {staff, reserved, version});
    return HostStaffLists::SlotOf(StandInHost::Instance().Document(), staff);
}

std::int32_t FX_GetMeasureDuration(std::int16_t staff, std::int16_t measure,
                                   std::uint32_t version) {
    HostCallLog::Record(__func__, {staff, measure, version});
    return StandInHost::Instance().Layout().Duration(measure);
}

std::int16_t FX_GetMaxLayers(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return StandInHost::Instance().Music().LayerCount();
}

std::int16_t FX_GetShowLayer(std::int16_t layer, std::uint32_t version) {
    HostCallLog::Record(__func__, {layer, version});
    return StandInHost::Instance().Music().IsLayerShown(layer) ? 1 : 0;
}

std::int16_t FX_GetCurrentEnigmaDocument(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return StandInHost::Instance().Document().Number();
}

std::int16_t FX_GetCurrentPartID(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return StandInHost::Instance().Document().CurrentPart();
}

std::int16_t FX_SetCurrentPartID(std::int16_t part, std::uint32_t version) {
    HostCallLog::Record(__func__, {part, version});
    return HostParts::SwitchTo(StandInHost::Instance().Document(), part) ? 1 : 0;
}

std::uint16_t FX_GetNextPartID(std::uint16_t part, std::uint32_t version) {
    HostCallLog::Record(__func__, {part, version});
    return HostParts::Next(StandInHost::Instance().Document(), part);
}

std::int16_t FX_GetCurERegions(void* buffer8, void* buffer24a, void* buffer24b,
                               std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(buffer8), HostCallLog::Given(buffer24a),
                                   HostCallLog::Given(buffer24b), version});
    StandInHost::Instance().Selection().Fill(buffer8, buffer24a, buffer24b);
    return 1;
}

std::int16_t FX_RedrawMusic(const void* region24, std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(region24), version});
    return StandInHost::Instance().Selection().Redraw(region24) ? 1 : 0;
}

std::int16_t FX_StartFinaleEdit(const char* undoText, std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(undoText), version});
    return StartEdit(undoText ? WidenBytes(undoText) : std::u16string());
}

std::int16_t FX_StartFinaleEdit_UTF16(const std::uint16_t* undoText, std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(undoText), version});
    return StartEdit(undoText ? std::u16string(undoText, undoText + UnitCount(undoText))
                              : std::u16string());
}

std::int16_t FX_EndFinaleEdit(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return StandInHost::Instance().Edit().End();
}

std::int16_t FX_CancelFinaleEdit(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    StandInHost& host = StandInHost::Instance();
    return host.Edit().Cancel(host.Document());
}

std::int16_t FX_UpdateLayout(std::int16_t a, std::int16_t b, std::uint32_t version) {
    HostCallLog::Record(__func__, {a, b, version});
    StandInHost& host = StandInHost::Instance();
    host.Layout().Update(host.Document());
    return 1;
}

std::int16_t FX_ExecuteMenuItem(std::int32_t command, std::uint32_t version) {
    HostCallLog::Record(__func__, {command, version});
    if (command != HostLayout::kMusicSpacingCommand) {
        return 0;
    }
    StandInHost& host = StandInHost::Instance();
    host.Layout().SpaceSelectedMusic(host.Document(), host.Music(), host.Selection());
    return 1;
}

std::int16_t FX_GetFinalePath(std::int16_t folderKind, std::uint16_t* buffer260,
                              std::uint32_t version) {
    HostCallLog::Record(__func__, {folderKind, HostCallLog::Given(buffer260), version});
    const std::u16string& folder = StandInHost::Instance().SettingsFolder();
    if (folderKind != StandInHost::kSettingsFolderKind || folder.empty() || !buffer260) {
        return 0;
    }
    // The folder and its terminator must fit the 260-unit area; a cut folder would name another.
    if (folder.size() >= StandInHost::kPathUnits) {
        buffer260[0] = 0;
        return 0;
    }
    std::copy(folder.begin(), folder.end(), buffer260);
    buffer260[folder.size()] = 0;
    return 1;
}

} // extern "C"
