#include "host/session/DialogReport.h"

#include "host/session/ReportText.h"
#include "host/standin/WindowText.h"

#include <sstream>

namespace {

std::string TextOf(HWND window) {
    return ReportText(WindowText(window));
}

std::string ListItem(HWND list, int index) {
    return ReportText(ListItemText(list, index));
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
