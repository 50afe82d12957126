// The host functions for the plug-in's dialog and its items.
#include "host/HostCallLog.h"
#include "host/HostFunctions.h"
#include "host/StandInHost.h"

extern "C" {

std::int16_t FX_Dialog(std::int16_t resourceID, DialogCallback callback, HWND parent,
                       std::int32_t reserved, void* windowObject, std::uint32_t version) {
    HostCallLog::Record(__func__,
                        {resourceID, HostCallLog::Given(reinterpret_cast<const void*>(callback)),
                         HostCallLog::Given(parent), reserved, HostCallLog::Given(windowObject),
                         version});
    return 0;
}

std::int16_t FX_EndDialog(HWND window, std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(window), version});
    return 0;
}

std::int16_t FX_EnableDlgItem(HWND window, std::int16_t item, std::int16_t on,
                              std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(window), item, on, version});
    return 0;
}

std::int32_t FX_GetDlgItemVal(HWND window, std::int16_t item, std::int16_t kind,
                              std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(window), item, kind, version});
    return 0;
}

std::int16_t FX_SetDlgItemVal(HWND window, std::int16_t item, std::int16_t kind, std::int32_t value,
                              std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(window), item, kind, value, version});
    return 0;
}

std::int16_t FX_GetDlgItemUser(HWND window, std::int16_t item, std::int16_t reserved, double* evpus,
                               std::uint32_t version) {
    HostCallLog::Record(
        __func__, {HostCallLog::Given(window), item, reserved, HostCallLog::Given(evpus), version});
    return 0;
}

std::int16_t FX_SetDlgItemUser(HWND window, std::int16_t item, std::int16_t reserved, double evpus,
                               std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(window), item, reserved,
                                   static_cast<std::int64_t>(evpus), version});
    return 0;
}

std::int16_t FX_GetDlgString(HWND window, std::int16_t item, char* text, std::int32_t capacity,
                             std::uint32_t version) {
    HostCallLog::Record(
        __func__, {HostCallLog::Given(window), item, HostCallLog::Given(text), capacity, version});
    return 0;
}

std::int16_t FX_GetDlgString_UTF16(HWND window, std::int16_t item, std::uint16_t* text,
                                   std::int32_t capacity, std::uint32_t version) {
    HostCallLog::Record(
        __func__, {HostCallLog::Given(window), item, HostCallLog::Given(text), capacity, version});
    return 0;
}

std::int16_t FX_SetDlgString(HWND window, std::int16_t item, const char* text,
                             std::uint32_t version) {
    HostCallLog::Record(__func__,
                        {HostCallLog::Given(window), item, HostCallLog::Given(text), version});
    return 0;
}

std::int16_t FX_SetDlgString_UTF16(HWND window, std::int16_t item, const std::uint16_t* text,
                                   std::uint32_t version) {
    HostCallLog::Record(__func__,
                        {HostCallLog::Given(window), item, HostCallLog::Given(text), version});
    return 0;
}

HWND FX_GetCurrentWindow(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return StandInHost::Instance().MainWindow();
}

} // extern "C"
