// The plug-in's side of a dialog window that the host shows: it lives before, during and after
// the window, holds the controls (the window is the collection of its FCControl objects, which it
// owns), knows the window handle only while the window exists, routes the messages the host
// forwards to virtual handlers, and remembers the window's screen position across closings.
#pragma once

#include "framework/core/FCCollection.h"
#include "framework/core/FCString.h"
#include "platform/Platform.h"

#include <cstdint>

class FCControl;
class FCCtrlButton;
class FCCtrlCheckbox;
class FCCtrlEdit;
class FCCtrlPopup;
class FCCtrlStatic;

class __FCUserWindow : public __FCCollection {
public:
    __FCUserWindow() = default;

    // Writes the caption when one was set, then pushes each control's cached state to its item.
    virtual void RestoreWindowState();
    virtual void CloseWindow() = 0;
    // Runs when the host has created the window: records its sizes at creation.
    virtual void InitWindow();
    virtual void HandleCancel();
    virtual void HandleOk();
    virtual void HandleClose();
    // A command from an ordinary control, or from an item without a control object (null).
    // True when handled.
    virtual bool HandleCommand(FCControl* control);
    virtual void HandleTabChange(FCControl* control, int tabIndex);
    virtual void HandleUpDown(FCControl* control, int step);
    virtual void HandleListSelect(FCControl* control, int itemIndex);
    virtual void HandleListCheck(FCControl* control, int itemIndex, bool checked);
    virtual void HandleTimer(std::uint16_t timerID);
    virtual void HandleActivate(bool active);
    virtual void HandleResize(int newWidth, int newHeight, int oldWidth, int oldHeight);
    virtual bool CanClose();
    virtual std::uint8_t HandleNotify(int itemID, const NMHDR* header) = 0;

    // The host calls this for every message of the window, with this object as windowObject.
    static std::int32_t DialogCallback(HWND window, std::uint32_t message, WPARAM wParam,
                                       LPARAM lParam, void* windowObject);

    // The first control in collection order with the item ID, or null.
    FCControl* FindControl(std::int16_t controlID) const;
    // Remembers the window's current screen rectangle; false when there is no window.
    bool RecordPlacement();
    // Moves (and, with a remembered size, sizes) the window to the remembered placement, never
    // smaller than at creation; false when no position is remembered. A position at which the
    // window would not show on the desktop is forgotten instead.
    bool ApplyPlacement();
    // Enables the window exactly when the host's top-level window is enabled.
    void SyncEnableWithHost();
    // Reads the caption, the sizes and every control's state from the open window.
    void CaptureWindowState();

    // Each factory makes a control for the item ID, appends it to the window (which owns it from
    // then on) and returns it.
    FCCtrlStatic* CreateStatic(std::int16_t controlID);
    FCCtrlEdit* CreateEdit(std::int16_t controlID);
    FCCtrlPopup* CreatePopup(std::int16_t controlID);
    FCCtrlCheckbox* CreateCheckbox(std::int16_t controlID);
    FCCtrlButton* CreateButton(std::int16_t controlID);

    HWND GetWindowHandle() const { return windowHandle_; }
    bool IsClosed() const { return closed_; }
    // 0 after HandleCancel, 1 after HandleOk, 2 after HandleClose.
    std::int16_t GetCloseReason() const { return closeReason_; }
    void SetTitle(const FCString* title);
    const FCString& GetTitle() const { return title_; }

    bool GetPlacementValid() const { return placementValid_; }
    void SetPlacementValid(bool valid) { placementValid_ = valid; }
    float GetPlacementLeft() const { return placementLeft_; }
    void SetPlacementLeft(float left) { placementLeft_ = left; }
    float GetPlacementTop() const { return placementTop_; }
    void SetPlacementTop(float top) { placementTop_ = top; }
    bool GetPlacementSizeValid() const { return placementSizeValid_; }
    void ClearPlacementSizeValid() { placementSizeValid_ = false; }
    float GetPlacementWidth() const { return placementWidth_; }
    float GetPlacementHeight() const { return placementHeight_; }

protected:
    void ForgetWindowHandle() { windowHandle_ = nullptr; }
    void MarkClosed() { closed_ = true; }

private:
    // Calls CloseWindow unless the window is closed already or refuses to close.
    void CloseIfAllowed();
    void OnCreated(HWND window);
    std::int32_t OnCommand(WPARAM wParam);
    void OnResize(WPARAM wParam, LPARAM lParam);
    void OnShow();
    void OnSizeQuery(LPARAM lParam) const;
    std::int32_t Route(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
    template <typename Control> Control* AddControl(std::int16_t controlID);

    FCString title_;
    bool titleSet_ = false;
    float storedWindowWidth_ = 0;
    float storedWindowHeight_ = 0;
    float storedClientHeight_ = 0;
    float storedClientWidth_ = 0;
    std::int16_t closeReason_ = 0;
    HWND windowHandle_ = nullptr;
    float maximumWidth_ = 0;
    float minimumWidth_ = 0;
    float maximumHeight_ = 0;
    float minimumHeight_ = 0;
    float clientWidth_ = 0;
    float clientHeight_ = 0;
    bool placementValid_ = false;
    float placementLeft_ = 0;
    float placementTop_ = 0;
    bool placementSizeValid_ = false;
    float placementWidth_ = 0;
    float placementHeight_ = 0;
    bool showPending_ = false;
    bool placementApplied_ = false;
    bool closed_ = false;
};
