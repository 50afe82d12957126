// The host functions for the plug-in's dialog and its items. They act only on dialogs the host
// opened for the plug-in; for any other window they do nothing and report failure.
#include "host/model/HostMeasurement.h"
#include "host/standin/HostCallLog.h"
#include "host/standin/HostDialogs.h"
#include "host/standin/HostFunctions.h"
#include "host/standin/StandInHost.h"
#include "host/standin/WindowText.h"
#include "platform/EightBitText.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

using namespace DialogItemValue;

HWND Item(HWND window, std::int16_t item) {
    return HostDialogs::Instance().IsOpen(window) ? GetDlgItem(window, item) : nullptr;
}

void CopyWindowText(HWND control, char* text, std::int32_t capacity) {
    GetWindowTextA(control, text, capacity);
}

void CopyWindowText(HWND control, std::uint16_t* text, std::int32_t capacity) {
    GetWindowTextW(control, AsPlatformText(reinterpret_cast<char16_t*>(text)), capacity);
}

// The item's text into the caller's buffer of capacity units, cut to fit. The buffer is emptied
// first, so a missing item leaves no stale text in it.
template <typename Unit>
std::int16_t CopyItemText(HWND window, std::int16_t item, Unit* text, std::int32_t capacity) {
    if (!text || capacity <= 0) {
        return 0;
    }
    text[0] = 0;
    const HWND control = Item(window, item);
    if (!control) {
        return 0;
    }
    CopyWindowText(control, text, capacity);
    return 1;
}

bool SetItemText(HWND item, const std::u16string& text) {
    return SetWindowTextW(item, AsPlatformText(text.c_str()));
}

// The leading decimal integer of the text, as a user typed it; 0 when there is none. Values
// beyond 32 bits are held at the nearest end.
std::int32_t LeadingInteger(const std::u16string& text) {
    std::string narrow;
    for (const char16_t unit : text) {
        narrow.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    const long long value = std::strtoll(narrow.c_str(), nullptr, 10);
    return static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

std::int32_t ReadItemValue(HWND item, std::int16_t kind) {
    switch (kind) {
    case kListChoice:
        return static_cast<std::int32_t>(SendMessageW(item, CB_GETCURSEL, 0, 0)) + 1;
    case kCheckState:
        return static_cast<std::int32_t>(SendMessageW(item, BM_GETCHECK, 0, 0));
    case kInteger:
        return LeadingInteger(WindowText(item));
    default:
        return 0;
    }
}

bool WriteItemValue(HWND item, std::int16_t kind, std::int32_t value) {
    switch (kind) {
    case kListChoice:
        // Choice 0 (and any choice out of range) leaves nothing selected.
        SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(static_cast<std::int64_t>(value) - 1),
                     0);
        return true;
    case kCheckState:
        SendMessageW(item, BM_SETCHECK, static_cast<WPARAM>(value), 0);
        return true;
    case kInteger: {
        return SetItemText(item, WidenBytes(std::to_string(value)));
    }
    default:
        return false;
    }
}

// The module whose code holds the callback: the plug-in's own dialog template lives there.
HMODULE ModuleOf(DialogCallback callback) {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(callback), &module);
    return module;
}

} // namespace

extern "C" {

std::int16_t FX_Dialog(std::int16_t resourceID, DialogCallback callback, HWND parent,
                       std::int32_t reserved, void* windowObject, std::uint32_t version) {
    HostCallLog::Record(__func__,
                        {resourceID, HostCallLog::Given(reinterpret_cast<const void*>(callback)),
                         HostCallLog::Given(parent), reserved, HostCallLog::Given(windowObject),
                         version});
    if (!callback) {
        return 0;
    }
    return HostDialogs::Instance().Open(ModuleOf(callback), resourceID, callback, parent,
                                        windowObject) != nullptr;
}

std::int16_t FX_EndDialog(HWND window, std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(window), version});
    return HostDialogs::Instance().End(window);
}

std::int16_t FX_EnableDlgItem(HWND window, std::int16_t item, std::int16_t on,
                              std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(window), item, on, version});
    const HWND control = Item(window, item);
    if (!control) {
        return 0;
    }
    EnableWindow(control, on != 0);
    return 1;
}

std::int32_t FX_GetDlgItemVal(HWND window, std::int16_t item, std::int16_t kind,
                              std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(window), item, kind, version});
    const HWND control = Item(window, item);
    return control ? ReadItemValue(control, kind) : 0;
}

std::int16_t FX_SetDlgItemVal(HWND window, std::int16_t item, std::int16_t kind, std::int32_t value,
                              std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(window), item, kind, value, version});
    const HWND control = Item(window, item);
    return control && WriteItemValue(control, kind, value);
}

std::int16_t FX_GetDlgItemUser(HWND window, std::int16_t item, std::int16_t reserved, double* evpus,
                               std::uint32_t version) {
    HostCallLog::Record(
        __func__, {HostCallLog::Given(window), item, reserved, HostCallLog::Given(evpus), version});
    const HWND control = Item(window, item);
    if (!control || !evpus) {
        return 0;
    }
    *evpus = HostMeasurement::Parse(WindowText(control), HostDialogs::Instance().Unit());
    return 1;
}

std::int16_t FX_SetDlgItemUser(HWND window, std::int16_t item, std::int16_t reserved, double evpus,
                               std::uint32_t version) {
    HostCallLog::Record(__func__, {HostCallLog::Given(window), item, reserved,
                                   static_cast<std::int64_t>(evpus), version});
    const HWND control = Item(window, item);
    return control &&
           SetItemText(control, HostMeasurement::Format(evpus, HostDialogs::Instance().Unit()));
}

std::int16_t FX_GetDlgString(HWND window, std::int16_t item, char* text, std::int32_t capacity,
                             std::uint32_t version) {
    HostCallLog::Record(
        __func__, {HostCallLog::Given(window), item, HostCallLog::Given(text), capacity, version});
    return CopyItemText(window, item, text, capacity);
}

std::int16_t FX_GetDlgString_UTF16(HWND window, std::int16_t item, std::uint16_t* text,
                                   std::int32_t capacity, std::uint32_t version) {
    HostCallLog::Record(
        __func__, {HostCallLog::Given(window), item, HostCallLog::Given(text), capacity, version});
    return CopyItemText(window, item, text, capacity);
}

std::int16_t FX_SetDlgString(HWND window, std::int16_t item, const char* text,
                             std::uint32_t version) {
    HostCallLog::Record(__func__,
                        {HostCallLog::Given(window), item, HostCallLog::Given(text), version});
    const HWND control = Item(window, item);
    return control && text && SetWindowTextA(control, text);
}

std::int16_t FX_SetDlgString_UTF16(HWND window, std::int16_t item, const std::uint16_t* text,
                                   std::uint32_t version) {
    HostCallLog::Record(__func__,
                        {HostCallLog::Given(window), item, HostCallLog::Given(text), version});
    const HWND control = Item(window, item);
    return control && text &&
           SetWindowTextW(control, AsPlatformText(reinterpret_cast<const char16_t*>(text)));
}

HWND FX_GetCurrentWindow(std::uint32_t version) {
    HostCallLog::Record(__func__, {version});
    return StandInHost::Instance().MainWindow();
}

} // extern "C"
