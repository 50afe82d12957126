// A user in front of an open dialog: picks popup items, ticks boxes, types into edits, presses
// buttons, clicks the close box and moves the window, each delivered the way a click or a key
// press reaches the dialog. Like a user, it cannot act on a dialog that is closed or disabled
// (while the host shows a message box) nor on an item that is missing, disabled or hidden; such
// an action does nothing and answers false. Readers show what the user sees.
#pragma once

#include "platform/Platform.h"

#include <string>
#include <vector>

class DialogUser {
public:
    explicit DialogUser(HWND dialog) : dialog_(dialog) {}

    // Selects the popup item and tells the dialog with CBN_SELCHANGE.
    bool SelectItem(int item, int index);
    // Clicks the check box when its state differs from the wanted one (BN_CLICKED).
    bool SetCheck(int item, bool on);
    // Replaces the edit's text; the edit itself tells the dialog (EN_CHANGE).
    bool TypeText(int item, const std::u16string& text);
    // Clicks the button: WM_COMMAND with its ID and BN_CLICKED.
    bool Press(int item);
    // The caption's close box: WM_CLOSE.
    bool CloseBox();
    // Drags the window so that its top-left corner lands on the screen position.
    bool MoveTo(int x, int y);

    // The dialog exists and is shown; usable when it is also enabled.
    bool IsOpen() const;
    bool IsUsable() const;
    std::u16string Text(int item) const;
    bool IsEnabled(int item) const;
    bool IsVisible(int item) const;
    std::vector<std::u16string> ListItems(int item) const;
    // The selected popup index, -1 when none.
    int Selection(int item) const;
    bool IsChecked(int item) const;
    RECT WindowRect() const;

private:
    // The item when the user can reach it: it exists, is enabled and is visible.
    HWND Reachable(int item) const;
    void Command(int item, HWND control, int notification) const;

    HWND dialog_;
};
