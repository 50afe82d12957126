#include "host/standin/HostDialog.h"

#include "host/standin/HostDialogs.h"

HWND HostDialog::Create(HMODULE module, std::int16_t resourceID, HWND parent) {
    return CreateDialogParamW(module, MAKEINTRESOURCEW(resourceID), parent, &HostDialog::Procedure,
                              reinterpret_cast<LPARAM>(this));
}

// The dialog learns which session it belongs to from WM_INITDIALOG; earlier messages (the font,
// the first sizes) are the host's own. The session ends with WM_DESTROY, after the plug-in has
// seen it. The close box is the plug-in's to handle: the host adds no cancel command of its own.
INT_PTR CALLBACK HostDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HostDialogs& dialogs = HostDialogs::Instance();
    HostDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<HostDialog*>(lParam);
        dialog->window_ = window;
        lParam = reinterpret_cast<LPARAM>(dialog->windowObject_);
    } else {
        dialog = dialogs.Find(window);
    }
    if (!dialog) {
        return FALSE;
    }
    // The callback may end the dialog, which deletes this session: nothing of it is used after.
    const DialogCallback callback = dialog->callback_;
    void* const windowObject = dialog->windowObject_;
    const INT_PTR result = callback(window, message, wParam, lParam, windowObject);
    if (message == WM_DESTROY) {
        dialogs.Forget(window);
    }
    return message == WM_CLOSE ? TRUE : result;
}
