#include "host/HostMainWindow.h"

#include "host/StandInHost.h"

namespace {

constexpr int kLeft = 0;
constexpr int kTop = 0;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

#ifdef _WIN32

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

const wchar_t* FrameClass() {
    static const bool registered = [] {
        WNDCLASSW frameClass{};
        frameClass.lpfnWndProc = FrameProcedure;
        frameClass.hInstance = GetModuleHandleW(nullptr);
        frameClass.lpszClassName = kFrameClass;
        return RegisterClassW(&frameClass) != 0;
    }();
    return registered ? kFrameClass : L"Static";
}

#else

// The native stand-in's windows have no procedures; its message boxes disable nothing.
const char16_t* FrameClass() {
    return u"Static";
}

#endif

} // namespace

HostMainWindow::HostMainWindow() {
    window_ = CreateWindowExW(0, FrameClass(), AsPlatformText(u"Finale"), WS_OVERLAPPEDWINDOW,
                              kLeft, kTop, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    StandInHost::Instance().SetMainWindow(window_);
}

HostMainWindow::~HostMainWindow() {
    if (StandInHost::Instance().MainWindow() == window_) {
        StandInHost::Instance().SetMainWindow(nullptr);
    }
    DestroyWindow(window_);
}
