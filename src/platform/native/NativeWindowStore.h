// The native stand-in's windows: every window by handle, which one is active and which has the
// focus, and the geometry that relates a window's rectangle to the screen and to its client area.
#pragma once

#include "platform/native/NativeWindowFunctions.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct NativeWindow {
    HWND handle = nullptr;
    // A child's parent, or the owner of a top-level window.
    HWND parent = nullptr;
    std::u16string className;
    std::u16string text;
    DWORD style = 0;
    int id = 0;
    // Outer rectangle: in the parent's client area for a child, on the screen otherwise.
    RECT rect{};
    // Dialogs only; other windows answer their messages themselves or not at all.
    DLGPROC procedure = nullptr;
    bool destroying = false;
    // Combo boxes.
    std::vector<std::u16string> listItems;
    int selection = -1;
    // Check boxes and radio buttons.
    int check = BST_UNCHECKED;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    bool IsClass(const char16_t* name) const;
};

class NativeWindowStore {
public:
    static NativeWindowStore& Instance();

    // Stores the window under a new handle, never one used before.
    NativeWindow& Add(NativeWindow window);
    NativeWindow* Find(HWND handle);
    void Erase(HWND handle);

    // Children of a window, or the top-level windows it owns, in creation order.
    std::vector<HWND> ChildrenOf(HWND parent) const;
    std::vector<HWND> OwnedBy(HWND owner) const;

    // Screen position of the top-left corner of the window's client area.
    POINT ClientOrigin(const NativeWindow& window);
    RECT ScreenRect(const NativeWindow& window);
    RECT ClientRect(const NativeWindow& window) const;
    // Outer rectangle around a client rectangle, for a window of the given style.
    static RECT OuterRect(RECT client, DWORD style, bool child);

    HWND active = nullptr;
    HWND focus = nullptr;

private:
    // Frame and caption of a top-level window with a caption; other windows have none.
    static RECT Insets(DWORD style, bool child);

    std::map<std::uintptr_t, std::unique_ptr<NativeWindow>> windows_;
    std::uintptr_t nextHandle_ = 0x10000;
};
