// A window made from a dialog resource of the plug-in module and shown by the host.
#pragma once

#include "hostinterface/HostAbi.h"
#include "ui/FCUserWindow.h"

class FCResourceWindow : public __FCUserWindow {
public:
    explicit FCResourceWindow(std::int32_t resourceID) : resourceID_(resourceID) {}
    FCResourceWindow(const FCResourceWindow&) = delete;
    FCResourceWindow& operator=(const FCResourceWindow&) = delete;
    // Ends the dialog first, so the host never calls back into a destroyed object.
    ~FCResourceWindow() override;

    // Captures the window's state, marks it closed and has the host end the dialog; the object
    // and its controls live on.
    void CloseWindow() override;
    // The sizes at creation, then the cached state of the caption and the controls.
    void InitWindow() override;
    // Routes the common controls' notifications to the handlers; the result is always 0.
    std::uint8_t HandleNotify(int itemID, const NMHDR* header) override;

    // Asks the host to show the dialog: sets the message callback and calls FX_Dialog with this
    // object. The host returns at once and the dialog stays open. True when the host created it.
    bool ShowDialog(HWND parent);

    std::int32_t GetResourceID() const { return resourceID_; }
    ::DialogCallback GetDialogCallback() const { return dialogCallback_; }

private:
    // Has the host end the dialog and forgets the window and the callback.
    void EndDialog();
    void RouteListChange(FCControl* control, const NMHDR* header);

    std::int32_t resourceID_;
    ::DialogCallback dialogCallback_ = nullptr;
};
