#include "host/standin/HostDialogs.h"

#include <algorithm>

HostDialogs& HostDialogs::Instance() {
    static HostDialogs dialogs;
    return dialogs;
}

HWND HostDialogs::Open(HMODULE module, std::int16_t resourceID, DialogCallback callback,
                       HWND parent, void* windowObject) {
    if (!callback) {
        return nullptr;
    }
    dialogs_.push_back(std::make_unique<HostDialog>(callback, windowObject));
    HostDialog* const dialog = dialogs_.back().get();
    const HWND window = dialog->Create(module, resourceID, parent);
    if (!window) {
        // No template, or the plug-in already ended the dialog (its session is then gone).
        Remove(dialog);
    }
    return window;
}

bool HostDialogs::End(HWND window) {
    return IsOpen(window) && DestroyWindow(window);
}

HostDialog* HostDialogs::Find(HWND window) const {
    if (!window) {
        return nullptr;
    }
    for (const auto& dialog : dialogs_) {
        if (dialog->Window() == window) {
            return dialog.get();
        }
    }
    return nullptr;
}

HWND HostDialogs::Newest() const {
    return dialogs_.empty() ? nullptr : dialogs_.back()->Window();
}

void HostDialogs::Forget(HWND window) {
    Remove(Find(window));
}

void HostDialogs::Reset() {
    while (!dialogs_.empty()) {
        const HWND window = dialogs_.back()->Window();
        if (!window || !DestroyWindow(window)) {
            dialogs_.pop_back();
        }
    }
    unit_ = HostUnit::EVPUs;
}

void HostDialogs::Remove(const HostDialog* dialog) {
    std::erase_if(dialogs_, [dialog](const auto& open) { return open.get() == dialog; });
}
