#include "ui/PluginInvocation.h"

#include "framework/core/FCUI.h"
#include "settings/PluginSettingsFile.h"
#include "ui/FCCalvexWindow.h"

namespace {

// The one FCUI and the one dialog, alive from the first invocation to termination. They are
// plain pointers on purpose: only termination frees them, never a static destructor running
// while the module is unloaded, when the host may no longer answer.
FCUI* pluginUI = nullptr;
FCCalvexWindow* pluginDialog = nullptr;

// The dialog's remembered position, as the settings file reads and writes it.
WindowPlacement PlacementOf(const __FCUserWindow& window) {
    return {window.GetPlacementValid(), window.GetPlacementLeft(), window.GetPlacementTop(),
            window.GetPlacementSizeValid()};
}

// PluginSettings and the dialog's position from the settings file; the position changes only
// when the file holds one.
void LoadSettingsFor(__FCUserWindow& window) {
    WindowPlacement placement = PlacementOf(window);
    LoadPluginSettings(placement);
    if (!placement.valid) {
        return;
    }
    window.SetPlacementValid(true);
    window.SetPlacementLeft(placement.left);
    window.SetPlacementTop(placement.top);
    if (!placement.sizeValid) {
        window.ClearPlacementSizeValid();
    }
}

FCCalvexWindow* CreateDialogObject() {
    auto* const dialog = new FCCalvexWindow(pluginUI);
    LoadSettingsFor(*dialog);
    dialog->CreateControls();
    return dialog;
}

// The dialog's window exists: the host has created it and not yet destroyed it.
bool IsOpen(const FCCalvexWindow& dialog) {
    const HWND window = dialog.GetWindowHandle();
    return window && IsWindow(window);
}

} // namespace

void HandleInvocation(HWND hostWindow) {
    if (!pluginUI) {
        pluginUI = new FCUI(hostWindow);
    }
    if (!pluginDialog) {
        pluginDialog = CreateDialogObject();
    }
    if (IsOpen(*pluginDialog)) {
        const HWND window = pluginDialog->GetWindowHandle();
        ShowWindow(window, SW_SHOWNORMAL);
        SetActiveWindow(window);
        return;
    }
    pluginDialog->ShowDialog(pluginUI->GetWindow());
}

// An open dialog is closed first, so the values on screen are the ones written.
void HandleTermination() {
    if (pluginDialog) {
        const HWND window = pluginDialog->GetWindowHandle();
        if (window && IsWindowVisible(window)) {
            pluginDialog->CloseWindow();
        }
        SavePluginSettings(PlacementOf(*pluginDialog));
        delete pluginDialog;
        pluginDialog = nullptr;
    }
    delete pluginUI;
    pluginUI = nullptr;
}
