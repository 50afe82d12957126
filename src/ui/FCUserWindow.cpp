#include "ui/FCUserWindow.h"

#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "ui/FCControl.h"
#include "ui/FCCtrlButton.h"
#include "ui/FCCtrlEdit.h"
#include "ui/FCCtrlPopup.h"
#include "ui/FCCtrlStatic.h"

#include <algorithm>

namespace {

// The host frame's message about its floating state; the dialog only re-synchronises on it.
constexpr std::uint32_t kHostFloatingStateMessage = 0x036D;
constexpr int kCaptionWorkArea = 200;
constexpr UINT kPlacementFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

enum CommandKind : std::int32_t { kOrdinary = 0, kOk = 1, kCancel = 2, kClose = 3 };

float Width(const RECT& rect) {
    return static_cast<float>(rect.right - rect.left);
}

float Height(const RECT& rect) {
    return static_cast<float>(rect.bottom - rect.top);
}

// Whether a window at the position, of the size, shows at least partly on the desktop (every
// screen together). Computed in double, so a position far beyond any screen cannot overflow.
bool IsOnDesktop(double left, double top, double width, double height) {
    const double desktopLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const double desktopTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const double desktopRight = desktopLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const double desktopBottom = desktopTop + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return left < desktopRight && left + width > desktopLeft && top < desktopBottom &&
           top + height > desktopTop;
}

} // namespace

void __FCUserWindow::RestoreWindowState() {
    if (!windowHandle_) {
        return;
    }
    if (titleSet_) {
        FCString caption(title_);
        if (HostTakesUTF16()) {
            SetWindowTextW(windowHandle_, AsPlatformText(caption.GetUTF16()));
        } else {
            SetWindowTextA(windowHandle_, caption.GetCString());
        }
    }
    for (int index = 0; index < GetCount(); ++index) {
        if (auto* control = static_cast<FCControl*>(GetItemAt(index))) {
            control->ApplyCachedState();
        }
    }
}

void __FCUserWindow::InitWindow() {
    closed_ = false;
    RECT window{};
    GetWindowRect(windowHandle_, &window);
    maximumWidth_ = minimumWidth_ = Width(window);
    maximumHeight_ = minimumHeight_ = Height(window);
    RECT client{};
    GetClientRect(windowHandle_, &client);
    clientWidth_ = Width(client);
    clientHeight_ = Height(client);
}

void __FCUserWindow::HandleCancel() {
    closeReason_ = 0;
    CloseIfAllowed();
}

void __FCUserWindow::HandleOk() {
    closeReason_ = 1;
    CloseIfAllowed();
}

void __FCUserWindow::HandleClose() {
    closeReason_ = 2;
    CloseIfAllowed();
}

bool __FCUserWindow::HandleCommand(FCControl* /*control*/) {
    return false;
}

// Tab pages would switch here; the framework has no tab control, so there is nothing to switch.
void __FCUserWindow::HandleTabChange(FCControl* /*control*/, int /*tabIndex*/) {}

void __FCUserWindow::HandleUpDown(FCControl* /*control*/, int /*step*/) {}

void __FCUserWindow::HandleListSelect(FCControl* /*control*/, int /*itemIndex*/) {}

void __FCUserWindow::HandleListCheck(FCControl* /*control*/, int /*itemIndex*/, bool /*checked*/) {}

void __FCUserWindow::HandleTimer(std::uint16_t /*timerID*/) {}

void __FCUserWindow::HandleActivate(bool /*active*/) {}

void __FCUserWindow::HandleResize(int /*newWidth*/, int /*newHeight*/, int /*oldWidth*/,
                                  int /*oldHeight*/) {}

bool __FCUserWindow::CanClose() {
    return true;
}

std::int32_t __FCUserWindow::DialogCallback(HWND window, std::uint32_t message, WPARAM wParam,
                                            LPARAM lParam, void* windowObject) {
    auto* const userWindow = static_cast<__FCUserWindow*>(windowObject);
    return userWindow ? userWindow->Route(window, message, wParam, lParam) : 0;
}

FCControl* __FCUserWindow::FindControl(std::int16_t controlID) const {
    for (int index = 0; index < GetCount(); ++index) {
        auto* control = static_cast<FCControl*>(GetItemAt(index));
        if (control && control->GetControlID() == controlID) {
            return control;
        }
    }
    return nullptr;
}

bool __FCUserWindow::RecordPlacement() {
    RECT window{};
    if (!GetWindowRect(windowHandle_, &window)) {
        return false;
    }
    placementValid_ = true;
    placementSizeValid_ = true;
    placementLeft_ = static_cast<float>(window.left);
    placementTop_ = static_cast<float>(window.top);
    placementWidth_ = Width(window);
    placementHeight_ = Height(window);
    return true;
}

bool __FCUserWindow::ApplyPlacement() {
    if (!placementValid_) {
        return false;
    }
    UINT flags = kPlacementFlags;
    if (placementSizeValid_) {
        placementWidth_ = std::max(placementWidth_, minimumWidth_);
        placementHeight_ = std::max(placementHeight_, minimumHeight_);
    } else {
        flags |= SWP_NOSIZE;
    }
    // A position that would put the window out of sight is forgotten: the window stays where
    // the host put it.
    if (!IsOnDesktop(placementLeft_, placementTop_,
                     placementSizeValid_ ? placementWidth_ : minimumWidth_,
                     placementSizeValid_ ? placementHeight_ : minimumHeight_)) {
        placementValid_ = false;
        return false;
    }
    SetWindowPos(windowHandle_, nullptr, static_cast<int>(placementLeft_),
                 static_cast<int>(placementTop_), static_cast<int>(placementWidth_),
                 static_cast<int>(placementHeight_), flags);
    placementApplied_ = true;
    return true;
}

// A host that names no window gives nothing to follow: the dialog keeps its enabled state
// rather than being disabled for good.
void __FCUserWindow::SyncEnableWithHost() {
    HWND top = HostApi::GetCurrentWindow();
    if (!windowHandle_ || !top) {
        return;
    }
    while (const HWND parent = GetParent(top)) {
        top = parent;
    }
    EnableWindow(windowHandle_, IsWindowEnabled(top));
}

void __FCUserWindow::CaptureWindowState() {
    if (!windowHandle_) {
        return;
    }
    if (HostTakesUTF16()) {
        char16_t caption[kCaptionWorkArea] = {};
        GetWindowTextW(windowHandle_, AsPlatformText(caption), kCaptionWorkArea);
        title_.SetUTF16(caption);
    } else {
        char caption[kCaptionWorkArea] = {};
        GetWindowTextA(windowHandle_, caption, kCaptionWorkArea);
        title_.SetCString(caption);
    }
    RECT window{};
    RECT client{};
    GetWindowRect(windowHandle_, &window);
    GetClientRect(windowHandle_, &client);
    storedClientWidth_ = Width(client);
    storedWindowWidth_ = Width(window);
    storedClientHeight_ = Height(client);
    storedWindowHeight_ = Height(window);
    for (int index = 0; index < GetCount(); ++index) {
        if (auto* control = static_cast<FCControl*>(GetItemAt(index))) {
            control->CaptureState();
        }
    }
}

FCCtrlStatic* __FCUserWindow::CreateStatic(std::int16_t controlID) {
    return AddControl<FCCtrlStatic>(controlID);
}

FCCtrlEdit* __FCUserWindow::CreateEdit(std::int16_t controlID) {
    return AddControl<FCCtrlEdit>(controlID);
}

FCCtrlPopup* __FCUserWindow::CreatePopup(std::int16_t controlID) {
    return AddControl<FCCtrlPopup>(controlID);
}

FCCtrlCheckbox* __FCUserWindow::CreateCheckbox(std::int16_t controlID) {
    return AddControl<FCCtrlCheckbox>(controlID);
}

FCCtrlButton* __FCUserWindow::CreateButton(std::int16_t controlID) {
    return AddControl<FCCtrlButton>(controlID);
}

void __FCUserWindow::SetTitle(const FCString* title) {
    title_.SetString(title);
    titleSet_ = true;
}

void __FCUserWindow::CloseIfAllowed() {
    if (!closed_ && CanClose()) {
        CloseWindow();
    }
}

void __FCUserWindow::OnCreated(HWND window) {
    windowHandle_ = window;
    showPending_ = true;
    InitWindow();
}

std::int32_t __FCUserWindow::OnCommand(WPARAM wParam) {
    FCControl* const control = FindControl(static_cast<std::int16_t>(LOWORD(wParam)));
    const std::int32_t kind = control ? control->GetCommandKind() : kOrdinary;
    if (kind == kOrdinary) {
        return HandleCommand(control) ? 1 : 0;
    }
    if (kind == kOk) {
        HandleOk();
    } else if (kind == kCancel) {
        HandleCancel();
    } else if (kind == kClose) {
        HandleClose();
    }
    return 1;
}

// Only the restored state counts; the first resize after creation reports the client size that
// InitWindow recorded as the old size.
void __FCUserWindow::OnResize(WPARAM wParam, LPARAM lParam) {
    if (wParam != SIZE_RESTORED) {
        return;
    }
    const int newWidth = LOWORD(lParam);
    const int newHeight = HIWORD(lParam);
    if (clientWidth_ != 0) {
        HandleResize(newWidth, newHeight, static_cast<int>(clientWidth_),
                     static_cast<int>(clientHeight_));
    }
    clientWidth_ = static_cast<float>(newWidth);
    clientHeight_ = static_cast<float>(newHeight);
}

// The first show may move the window where the system likes; a placement applied at creation
// is applied once more.
void __FCUserWindow::OnShow() {
    if (showPending_ && placementApplied_) {
        ApplyPlacement();
    }
    showPending_ = false;
    placementApplied_ = false;
}

// The window keeps the size it had at creation.
void __FCUserWindow::OnSizeQuery(LPARAM lParam) const {
    auto* const sizes = reinterpret_cast<MINMAXINFO*>(lParam);
    if (!sizes) {
        return;
    }
    sizes->ptMinTrackSize = {static_cast<LONG>(minimumWidth_), static_cast<LONG>(minimumHeight_)};
    sizes->ptMaxTrackSize = {static_cast<LONG>(maximumWidth_), static_cast<LONG>(maximumHeight_)};
}

std::int32_t __FCUserWindow::Route(HWND window, std::uint32_t message, WPARAM wParam,
                                   LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        OnResize(wParam, lParam);
        return 0;
    case WM_ACTIVATE:
        HandleActivate(LOWORD(wParam) != WA_INACTIVE);
        SyncEnableWithHost();
        return 0;
    case WM_CLOSE:
        HandleCancel();
        return 0;
    case WM_SHOWWINDOW:
        OnShow();
        return 0;
    case WM_GETMINMAXINFO:
        OnSizeQuery(lParam);
        return 0;
    case WM_WINDOWPOSCHANGING:
    case kHostFloatingStateMessage:
        SyncEnableWithHost();
        return 0;
    case WM_NOTIFY:
        return HandleNotify(static_cast<int>(wParam), reinterpret_cast<const NMHDR*>(lParam));
    case WM_INITDIALOG:
        OnCreated(window);
        return 0;
    case WM_COMMAND:
        return OnCommand(wParam);
    case WM_TIMER:
        HandleTimer(LOWORD(wParam));
        return 0;
    default:
        return 0;
    }
}

template <typename Control> Control* __FCUserWindow::AddControl(std::int16_t controlID) {
    auto* const control = new Control(controlID);
    Add(control);
    control->SetParent(this);
    return control;
}
