// One item of a dialog, known by its item ID. A control object exists before its window does and
// outlives it: while the item exists on screen (the control is live) operations act on the item,
// mostly through the host's dialog-item functions; otherwise they act on a cache inside the
// object, which is pushed to the item when the window is next initialised and refilled from the
// item when the window closes.
#pragma once

#include "framework/core/FCBase.h"
#include "framework/core/FCString.h"
#include "platform/Platform.h"

#include <cstdint>

class __FCUserWindow;

class FCControl : public __FCBase {
public:
    explicit FCControl(std::int16_t controlID) : controlID_(controlID) {}

    const char* ClassName() const override { return "FCControl"; }

    virtual std::int32_t GetKind() const { return 0; }
    // Default sizes in points.
    virtual float GetDefaultWidth() const { return 70; }
    virtual float GetDefaultHeight() const { return 150; }
    // Pushes every cached value whose flag is set to the live item; the flags stay set.
    virtual void ApplyCachedState();
    // Fills the cache from the live item without setting any flag.
    virtual void CaptureState();
    // Repaints the item without erasing its background.
    virtual void Redraw();
    virtual void SetEnable(bool on);
    virtual bool IsEnabled();
    virtual void SetVisible(bool on);
    virtual void SetFocus();
    // A null text stands for the empty text.
    virtual void SetText(const FCString* text);
    virtual void GetText(FCString* out);
    virtual void ResizeBy(float dx, float dy);
    // Only check boxes and buttons hold a check state.
    virtual void SetCheck(std::int16_t /*state*/) {}
    virtual std::int16_t GetCheck() { return 0; }

    bool IsVisible();
    // Position relative to the parent's client area and size, in pixels.
    float GetLeft();
    float GetTop();
    float GetWidth();
    float GetHeight();
    void SetLeft(float left);
    void SetTop(float top);
    void SetWidth(float width);
    void SetHeight(float height);

    std::int16_t GetControlID() const { return controlID_; }
    __FCUserWindow* GetParent() const { return parent_; }
    void SetParent(__FCUserWindow* parent) { parent_ = parent; }
    // 0 for ordinary controls; 1 (OK), 2 (cancel) or 3 (close) for buttons that confirm or
    // close the dialog.
    std::int32_t GetCommandKind() const { return commandKind_; }
    void SetCommandKind(std::int32_t kind) { commandKind_ = kind; }

protected:
    // The parent window object exists, its window exists and holds the item.
    bool IsLive() const;
    // The parent's dialog window, or null.
    HWND ParentHandle() const;
    // The item's window, or null when there is none.
    HWND ItemHandle() const;
    const FCString& CachedText() const { return text_; }
    // The cached text for a not-live setter; marks it to be pushed to the item.
    FCString& CachedTextToSet();

private:
    // An optional cached value: the value and whether it was set while not live.
    struct CachedFloat {
        float value = 0;
        bool set = false;
    };

    // The item's rectangle on the screen, and its top-left corner in the parent's client area.
    RECT ItemRect() const;
    POINT ItemCorner() const;
    void MoveItem(float left, float top);
    void SizeItem(float width, float height);

    FCString text_;
    bool textSet_ = false;
    bool enabled_ = false;
    bool enabledSet_ = false;
    bool visible_ = false;
    bool visibleSet_ = false;
    CachedFloat left_;
    CachedFloat top_;
    CachedFloat width_;
    CachedFloat height_;
    std::int16_t controlID_;
    __FCUserWindow* parent_ = nullptr;
    std::int32_t commandKind_ = 0;
};
