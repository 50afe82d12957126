#include "host/DialogReport.h"

#include "host/ReportText.h"

#include <sstream>

namespace {

std::string TextOf(HWND window) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, AsPlatformText(text.data()), static_cast<int>(text.size()))));
    return ReportText(text);
}

std::string ListItem(HWND list, int index) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::u16string text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, u'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length < 0 ? 0 : length));
    return ReportText(text);
}

// A drop-down list's items, the selected one marked with "*"; nothing for other items.
std::string ListOf(HWND item) {
    const auto count = static_cast<int>(SendMessageW(item, CB_GETCOUNT, 0, 0));
    const auto selected = static_cast<int>(SendMessageW(item, CB_GETCURSEL, 0, 0));
    std::ostringstream list;
    for (int index = 0; index < count; ++index) {
        list << (index == 0 ? " [" : " | ") << (index == selected ? "*" : "")
             << ListItem(item, index);
    }
    if (count > 0) {
        list << "]";
    }
    return list.str();
}

void DescribeItem(std::ostringstream& out, HWND item) {
    out << "  " << GetDlgCtrlID(item);
    // A drop-down list shows its items; its own text is only the selected one again.
    const std::string list = ListOf(item);
    if (list.empty()) {
        out << " \"" << TextOf(item) << "\"";
    } else {
        out << list;
    }
    if (SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        out << " checked";
    }
    if (!IsWindowEnabled(item)) {
        out << " disabled";
    }
    if (!IsWindowVisible(item)) {
        out << " hidden";
    }
    out << '\n';
}

} // namespace

std::string DialogReport::Describe(HWND dialog) {
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) {
        return "no dialog open\n";
    }
    RECT rect{};
    GetWindowRect(dialog, &rect);
    std::ostringstream out;
    out << "dialog \"" << TextOf(dialog) << "\" at " << rect.left << "," << rect.top << '\n';
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        DescribeItem(out, child);
    }
    return out.str();
}
