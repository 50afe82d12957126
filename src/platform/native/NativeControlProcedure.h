// How the native stand-in's predefined controls answer their own messages: combo boxes keep a
// list and a selection, check boxes and radio buttons a check state.
#pragma once

#include "platform/native/NativeWindowStore.h"

enum class TextWidth { Narrow, Wide };

class NativeControlProcedure {
public:
    // The control's answer; 0 for messages it does not know. String arguments are 8-bit or
    // UTF-16 as the sending function says.
    static LRESULT Handle(NativeWindow& control, UINT message, WPARAM wParam, LPARAM lParam,
                          TextWidth width);

private:
    static LRESULT HandleComboBox(NativeWindow& combo, UINT message, WPARAM wParam, LPARAM lParam,
                                  TextWidth width);
    static LRESULT HandleButton(NativeWindow& button, UINT message, WPARAM wParam);
    static LRESULT CopyItemText(const std::u16string& item, LPARAM buffer, TextWidth width);
};
