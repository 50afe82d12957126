#include "ui/FCResourceWindow.h"

#include "binding/HostApi.h"
#include "platform/IgnoredResult.h"

namespace {

// The state-image bits of a list-view item that hold a check box: 1 unchecked, 2 checked.
constexpr UINT kCheckedStateImage = 2;
constexpr int kStateImageShift = 12;

} // namespace

FCResourceWindow::~FCResourceWindow() {
    EndDialog();
}

void FCResourceWindow::CloseWindow() {
    CaptureWindowState();
    MarkClosed();
    EndDialog();
}

void FCResourceWindow::InitWindow() {
    __FCUserWindow::InitWindow();
    RestoreWindowState();
}

std::uint8_t FCResourceWindow::HandleNotify(int itemID, const NMHDR* header) {
    FCControl* const control = FindControl(static_cast<std::int16_t>(itemID));
    if (!control || !header) {
        return 0;
    }
    switch (header->code) {
    case UDN_DELTAPOS:
        HandleUpDown(control, reinterpret_cast<const NMUPDOWN*>(header)->iDelta);
        break;
    case TCN_SELCHANGE:
        HandleTabChange(control,
                        static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
        break;
    case TVN_SELCHANGEDW:
    case NM_DBLCLK:
        HandleCommand(control);
        break;
    case LVN_ITEMCHANGED:
        RouteListChange(control, header);
        break;
    default:
        break;
    }
    return 0;
}

bool FCResourceWindow::ShowDialog(HWND parent) {
    dialogCallback_ = &__FCUserWindow::DialogCallback;
    return HostApi::Dialog(static_cast<std::int16_t>(resourceID_), dialogCallback_, parent,
                           static_cast<__FCUserWindow*>(this)) != 0;
}

// A hidden dialog is ended as well: once its handle is forgotten nothing could end it, and the
// host would go on calling back into this object, even after the object is gone. A window the
// host has destroyed already is only forgotten.
void FCResourceWindow::EndDialog() {
    const HWND window = GetWindowHandle();
    if (!window) {
        return;
    }
    if (IsWindow(window)) {
        Ignore(HostApi::EndDialog(window), Because::NoRemedy);
    }
    dialogCallback_ = nullptr;
    ForgetWindowHandle();
}

// An item that became selected is a list selection; a changed state image is a check box
// ticked or cleared.
void FCResourceWindow::RouteListChange(FCControl* control, const NMHDR* header) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!(change->uChanged & LVIF_STATE)) {
        return;
    }
    const UINT changed = change->uNewState ^ change->uOldState;
    if ((changed & LVIS_SELECTED) && (change->uNewState & LVIS_SELECTED)) {
        HandleListSelect(control, change->iItem);
    }
    if (changed & LVIS_STATEIMAGEMASK) {
        const UINT image = (change->uNewState & LVIS_STATEIMAGEMASK) >> kStateImageShift;
        HandleListCheck(control, change->iItem, image == kCheckedStateImage);
    }
}
