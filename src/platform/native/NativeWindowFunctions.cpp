#include "platform/native/NativeWindowFunctions.h"

#include "platform/native/DialogTemplate.h"
#include "platform/native/NativeControlProcedure.h"
#include "platform/native/NativeText.h"
#include "platform/native/NativeWindowStore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr unsigned kDialogResourceType = 5;
constexpr DWORD kTabStop = 0x00010000u;
constexpr DWORD kMultiLineEdit = 0x0004u;
// The dialog base units of the stand-in's screen: pixels per 4 horizontal and 8 vertical
// dialog units, as for an 8-point system font.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

NativeWindowStore& Store() {
    return NativeWindowStore::Instance();
}

int DialogUnitsToPixels(int units, int baseUnit, int unitsPerBase) {
    return static_cast<int>(std::lround(static_cast<double>(units) * baseUnit / unitsPerBase));
}

RECT DialogUnitsToPixels(const DialogUnitRect& units) {
    const LONG left = DialogUnitsToPixels(units.x, kBaseUnitX, 4);
    const LONG top = DialogUnitsToPixels(units.y, kBaseUnitY, 8);
    return {left, top, left + DialogUnitsToPixels(units.cx, kBaseUnitX, 4),
            top + DialogUnitsToPixels(units.cy, kBaseUnitY, 8)};
}

RECT Offset(RECT rect, POINT by) {
    return {rect.left + by.x, rect.top + by.y, rect.right + by.x, rect.bottom + by.y};
}

LRESULT Dispatch(HWND handle, UINT message, WPARAM wParam, LPARAM lParam, TextWidth width) {
    NativeWindow* window = Store().Find(handle);
    if (!window) {
        return 0;
    }
    if (DLGPROC procedure = window->procedure) {
        // The procedure may destroy the window: nothing of it is touched after the call.
        return procedure(handle, message, wParam, lParam);
    }
    return NativeControlProcedure::Handle(*window, message, wParam, lParam, width);
}

// Sends a message only to windows that have a procedure, as notifications of the stand-in's own
// window management are of no interest to the plain windows.
void Notify(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    NativeWindow* window = Store().Find(handle);
    if (window && window->procedure) {
        window->procedure(handle, message, wParam, lParam);
    }
}

HWND AddDialogItem(HWND dialog, const DialogItemTemplate& item) {
    NativeWindow control;
    control.parent = dialog;
    control.className = item.className;
    control.text = item.text;
    control.style = item.style | WS_CHILD;
    control.id = item.id;
    control.rect = DialogUnitsToPixels(item.rect);
    return Store().Add(std::move(control)).handle;
}

// The dialog's client area sits at the template's position within its owner's client area.
HWND AddDialogWindow(const DialogTemplate& dialogTemplate, HWND owner) {
    NativeWindow dialog;
    dialog.parent = owner;
    dialog.className = u"#32770";
    dialog.text = dialogTemplate.title;
    dialog.style = dialogTemplate.style & ~(WS_VISIBLE | WS_CHILD);
    RECT client = DialogUnitsToPixels(dialogTemplate.rect);
    if (NativeWindow* ownerWindow = Store().Find(owner)) {
        client = Offset(client, Store().ClientOrigin(*ownerWindow));
    }
    dialog.rect = NativeWindowStore::OuterRect(client, dialog.style, false);
    return Store().Add(std::move(dialog)).handle;
}

HWND FirstTabStop(HWND dialog) {
    for (HWND child : Store().ChildrenOf(dialog)) {
        if (Store().Find(child)->style & kTabStop) {
            return child;
        }
    }
    return nullptr;
}

bool ActivatesWhenShown(int command) {
    constexpr int kShowMinNoActivate = 7;
    constexpr int kShowNA = 8;
    constexpr int kShowNoActivate = 4;
    return command != kShowMinNoActivate && command != kShowNA && command != kShowNoActivate;
}

void SetText(HWND handle, std::u16string text) {
    NativeWindow* window = Store().Find(handle);
    window->text = std::move(text);
    if (window->IsChild() && window->IsClass(u"Edit") && !(window->style & kMultiLineEdit)) {
        Notify(window->parent, WM_COMMAND, MAKEWPARAM(window->id, EN_CHANGE),
               reinterpret_cast<LPARAM>(handle));
    }
}

template <typename Char>
int CopyText(const std::basic_string<Char>& text, Char* buffer, int capacity) {
    if (!buffer || capacity <= 0) {
        return 0;
    }
    const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.begin(), copied, buffer);
    buffer[copied] = 0;
    return static_cast<int>(copied);
}

void DestroyTree(HWND handle);

void DestroyChildren(HWND handle) {
    for (HWND child : Store().ChildrenOf(handle)) {
        DestroyTree(child);
    }
}

// Owned windows go first, then the window hears WM_DESTROY, then its children and the window go.
void DestroyTree(HWND handle) {
    NativeWindow* window = Store().Find(handle);
    if (!window || window->destroying) {
        return;
    }
    window->destroying = true;
    for (HWND owned : Store().OwnedBy(handle)) {
        DestroyTree(owned);
    }
    Notify(handle, WM_DESTROY, 0, 0);
    DestroyChildren(handle);
    Store().Erase(handle);
}

} // namespace

extern "C" {

HWND CreateWindowExW(DWORD /*exStyle*/, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE /*instance*/,
                     LPVOID /*parameter*/) {
    if ((style & WS_CHILD) && !Store().Find(parent)) {
        return nullptr;
    }
    NativeWindow window;
    window.parent = parent;
    window.className = CopyUTF16(className);
    window.text = CopyUTF16(windowName);
    window.style = style;
    window.id = (style & WS_CHILD) ? static_cast<int>(reinterpret_cast<std::intptr_t>(menu)) : 0;
    window.rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    return Store().Add(std::move(window)).handle;
}

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure,
                        LPARAM parameter) {
    if (!IS_INTRESOURCE(templateName)) {
        return nullptr;
    }
    std::size_t size = 0;
    const unsigned char* bytes = NativeFindResource(
        instance, kDialogResourceType,
        static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(templateName)), &size);
    DialogTemplate dialogTemplate;
    if (!bytes || !dialogTemplate.Parse({bytes, size})) {
        return nullptr;
    }
    const HWND dialog = AddDialogWindow(dialogTemplate, owner);
    for (const DialogItemTemplate& item : dialogTemplate.items) {
        AddDialogItem(dialog, item);
    }
    Store().Find(dialog)->procedure = procedure;
    SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(FirstTabStop(dialog)), parameter);
    if (IsWindow(dialog) && (dialogTemplate.style & WS_VISIBLE)) {
        ShowWindow(dialog, SW_SHOW);
    }
    return IsWindow(dialog) ? dialog : nullptr;
}

BOOL DestroyWindow(HWND window) {
    NativeWindow* found = Store().Find(window);
    if (!found || found->destroying) {
        return FALSE;
    }
    DestroyTree(window);
    return TRUE;
}

BOOL IsWindow(HWND window) {
    return Store().Find(window) != nullptr;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(window, message, wParam, lParam, TextWidth::Wide);
}

LRESULT SendDlgItemMessageA(HWND dialog, int item, UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(GetDlgItem(dialog, item), message, wParam, lParam, TextWidth::Narrow);
}

LRESULT SendDlgItemMessageW(HWND dialog, int item, UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(GetDlgItem(dialog, item), message, wParam, lParam, TextWidth::Wide);
}

HWND GetDlgItem(HWND dialog, int item) {
    for (HWND child : Store().ChildrenOf(dialog)) {
        if (Store().Find(child)->id == item) {
            return child;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND window) {
    NativeWindow* found = Store().Find(window);
    return found && found->IsChild() ? found->id : 0;
}

HWND GetParent(HWND window) {
    NativeWindow* found = Store().Find(window);
    if (!found || (!found->IsChild() && !(found->style & WS_POPUP))) {
        return nullptr;
    }
    return found->parent;
}

HWND GetWindow(HWND window, UINT relation) {
    NativeWindow* found = Store().Find(window);
    if (!found) {
        return nullptr;
    }
    if (relation == GW_CHILD) {
        const std::vector<HWND> children = Store().ChildrenOf(window);
        return children.empty() ? nullptr : children.front();
    }
    if (relation == GW_HWNDNEXT && found->IsChild()) {
        const std::vector<HWND> siblings = Store().ChildrenOf(found->parent);
        const auto next = std::find(siblings.begin(), siblings.end(), window) + 1;
        return next == siblings.end() ? nullptr : *next;
    }
    return nullptr;
}

HWND SetActiveWindow(HWND window) {
    const HWND previous = Store().active;
    if (!IsWindow(window) || window == previous) {
        return previous;
    }
    Store().active = window;
    Notify(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(window));
    Notify(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(previous));
    return previous;
}

HWND GetActiveWindow() {
    return Store().active;
}

HWND SetFocus(HWND window) {
    const HWND previous = Store().focus;
    if (window && !IsWindow(window)) {
        return nullptr;
    }
    Store().focus = window;
    return previous;
}

BOOL InvalidateRect(HWND window, LPCRECT /*rect*/, BOOL /*erase*/) {
    return !window || IsWindow(window);
}

BOOL EnableWindow(HWND window, BOOL enable) {
    NativeWindow* found = Store().Find(window);
    if (!found) {
        return FALSE;
    }
    const BOOL wasDisabled = (found->style & WS_DISABLED) != 0;
    found->style = enable ? found->style & ~WS_DISABLED : found->style | WS_DISABLED;
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
    NativeWindow* found = Store().Find(window);
    return found && !(found->style & WS_DISABLED);
}

BOOL ShowWindow(HWND window, int command) {
    NativeWindow* found = Store().Find(window);
    if (!found) {
        return FALSE;
    }
    const bool show = command != SW_HIDE;
    const BOOL wasVisible = (found->style & WS_VISIBLE) != 0;
    const bool child = found->IsChild();
    if (show != static_cast<bool>(wasVisible)) {
        Notify(window, WM_SHOWWINDOW, show, 0);
        if (NativeWindow* still = Store().Find(window)) {
            still->style = show ? still->style | WS_VISIBLE : still->style & ~WS_VISIBLE;
        }
    }
    if (show && !child && ActivatesWhenShown(command)) {
        SetActiveWindow(window);
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND window) {
    for (NativeWindow* found = Store().Find(window); found;
         found = found->IsChild() ? Store().Find(found->parent) : nullptr) {
        if (!(found->style & WS_VISIBLE)) {
            return FALSE;
        }
        if (!found->IsChild()) {
            return TRUE;
        }
    }
    return FALSE;
}

int GetSystemMetrics(int index) {
    constexpr int kScreenWidth = 1920;
    constexpr int kScreenHeight = 1080;
    switch (index) {
    case SM_CXVIRTUALSCREEN:
        return kScreenWidth;
    case SM_CYVIRTUALSCREEN:
        return kScreenHeight;
    default:
        return 0;
    }
}

BOOL GetWindowRect(HWND window, RECT* rect) {
    NativeWindow* found = Store().Find(window);
    if (!found || !rect) {
        return FALSE;
    }
    *rect = Store().ScreenRect(*found);
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    NativeWindow* found = Store().Find(window);
    if (!found || !rect) {
        return FALSE;
    }
    *rect = Store().ClientRect(*found);
    return TRUE;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    NativeWindow* found = Store().Find(window);
    if (!found) {
        return FALSE;
    }
    const RECT old = found->rect;
    WINDOWPOS position{window,
                       insertAfter,
                       (flags & SWP_NOMOVE) ? old.left : x,
                       (flags & SWP_NOMOVE) ? old.top : y,
                       (flags & SWP_NOSIZE) ? old.right - old.left : std::max(width, 0),
                       (flags & SWP_NOSIZE) ? old.bottom - old.top : std::max(height, 0),
                       flags};
    // The window's procedure may adjust the new position, as on Windows.
    Notify(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    found = Store().Find(window);
    if (!found) {
        return FALSE;
    }
    found->rect = {position.x, position.y, position.x + position.cx, position.y + position.cy};
    const bool resized = position.cx != old.right - old.left || position.cy != old.bottom - old.top;
    if (resized) {
        const RECT client = Store().ClientRect(*found);
        Notify(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    }
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
    NativeWindow* found = Store().Find(window);
    if (!found || !point) {
        return FALSE;
    }
    const POINT origin = Store().ClientOrigin(*found);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
    if (!IsWindow(window)) {
        return FALSE;
    }
    SetText(window, CopyUTF16(text));
    return TRUE;
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    if (!IsWindow(window)) {
        return FALSE;
    }
    SetText(window, WidenLatin1(text));
    return TRUE;
}

int GetWindowTextW(HWND window, LPWSTR text, int capacity) {
    NativeWindow* found = Store().Find(window);
    return CopyText(found ? found->text : std::u16string(), text, capacity);
}

int GetWindowTextA(HWND window, LPSTR text, int capacity) {
    NativeWindow* found = Store().Find(window);
    return CopyText(found ? NarrowLatin1(found->text) : std::string(), text, capacity);
}

int GetWindowTextLengthW(HWND window) {
    NativeWindow* found = Store().Find(window);
    return found ? static_cast<int>(found->text.size()) : 0;
}

} // extern "C"
