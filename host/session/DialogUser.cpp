#include "host/session/DialogUser.h"

#include "host/standin/WindowText.h"

bool DialogUser::SelectItem(int item, int index) {
    const HWND control = Reachable(item);
    const LRESULT count = control ? SendMessageW(control, CB_GETCOUNT, 0, 0) : 0;
    if (index < 0 || index >= count) {
        return false;
    }
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Command(item, control, CBN_SELCHANGE);
    return true;
}

bool DialogUser::SetCheck(int item, bool on) {
    const HWND control = Reachable(item);
    if (!control) {
        return false;
    }
    if (IsChecked(item) != on) {
        SendMessageW(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        Command(item, control, BN_CLICKED);
    }
    return true;
}

bool DialogUser::TypeText(int item, const std::u16string& text) {
    const HWND control = Reachable(item);
    return control && SetWindowTextW(control, AsPlatformText(text.c_str()));
}

bool DialogUser::Press(int item) {
    const HWND control = Reachable(item);
    if (!control) {
        return false;
    }
    Command(item, control, BN_CLICKED);
    return true;
}

bool DialogUser::CloseBox() {
    if (!IsUsable()) {
        return false;
    }
    SendMessageW(dialog_, WM_CLOSE, 0, 0);
    return true;
}

bool DialogUser::MoveTo(int x, int y) {
    return IsUsable() && SetWindowPos(dialog_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool DialogUser::IsOpen() const {
    return IsWindow(dialog_) && IsWindowVisible(dialog_);
}

bool DialogUser::IsUsable() const {
    return IsOpen() && IsWindowEnabled(dialog_);
}

std::u16string DialogUser::Text(int item) const {
    const HWND control = GetDlgItem(dialog_, item);
    return control ? WindowText(control) : u"";
}

bool DialogUser::IsEnabled(int item) const {
    const HWND control = GetDlgItem(dialog_, item);
    return control && IsWindowEnabled(control);
}

bool DialogUser::IsVisible(int item) const {
    const HWND control = GetDlgItem(dialog_, item);
    return control && IsWindowVisible(control);
}

std::vector<std::u16string> DialogUser::ListItems(int item) const {
    std::vector<std::u16string> items;
    const HWND list = GetDlgItem(dialog_, item);
    const LRESULT count = list ? SendMessageW(list, CB_GETCOUNT, 0, 0) : 0;
    for (int index = 0; index < count; ++index) {
        items.push_back(ListItemText(list, index));
    }
    return items;
}

int DialogUser::Selection(int item) const {
    return GetDlgItem(dialog_, item)
               ? static_cast<int>(SendDlgItemMessageW(dialog_, item, CB_GETCURSEL, 0, 0))
               : -1;
}

bool DialogUser::IsChecked(int item) const {
    return SendDlgItemMessageW(dialog_, item, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

RECT DialogUser::WindowRect() const {
    RECT rect{};
    GetWindowRect(dialog_, &rect);
    return rect;
}

HWND DialogUser::Reachable(int item) const {
    const HWND control = IsUsable() ? GetDlgItem(dialog_, item) : nullptr;
    return control && IsWindowEnabled(control) && IsWindowVisible(control) ? control : nullptr;
}

void DialogUser::Command(int item, HWND control, int notification) const {
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(item, notification),
                 reinterpret_cast<LPARAM>(control));
}
