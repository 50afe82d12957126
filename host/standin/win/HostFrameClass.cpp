#include "host/standin/HostFrameClass.h"

namespace {

// The host program's frame is an MFC frame: it tells every window it owns of a change of its
// enabled state with the floating-state message, and the plug-in's dialog follows the frame's
// state on it. So the dialog, disabled while a message box disabled the frame, works again once
// the box has closed.
constexpr UINT kFloatingStateMessage = 0x036D;
constexpr WPARAM kFloatingEnable = 0x10;
constexpr WPARAM kFloatingDisable = 0x20;
constexpr wchar_t kFrameClass[] = L"CalvexStandInFrame";

struct FrameNotice {
    HWND frame;
    WPARAM state;
};

BOOL CALLBACK NotifyIfOwned(HWND window, LPARAM notice) {
    const auto* frameNotice = reinterpret_cast<const FrameNotice*>(notice);
    if (GetWindow(window, GW_OWNER) == frameNotice->frame) {
        SendMessageW(window, kFloatingStateMessage, frameNotice->state, 0);
    }
    return TRUE;
}

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENABLE) {
        FrameNotice notice{window, wParam ? kFloatingEnable : kFloatingDisable};
        EnumThreadWindows(GetCurrentThreadId(), NotifyIfOwned, reinterpret_cast<LPARAM>(&notice));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

LPCWSTR HostFrameClass() {
    static const bool registered = [] {
        WNDCLASSW frameClass{};
        frameClass.lpfnWndProc = FrameProcedure;
        frameClass.hInstance = GetModuleHandleW(nullptr);
        frameClass.lpszClassName = kFrameClass;
        return RegisterClassW(&frameClass) != 0;
    }();
    return registered ? kFrameClass : L"Static";
}
