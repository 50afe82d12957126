// How tests and the stand-in host steer the native message boxes, beeps and locale: what the user
// answers, what the user saw and heard, and which decimal separator the user's locale holds.
#pragma once

#include "platform/native/NativeWindows.h"

#include <string>
#include <vector>

// One message box as the user saw it.
struct NativeMessageBox {
    HWND owner;
    std::u16string caption;
    std::u16string text;
    UINT style;
};

// The answers of the next message boxes, in order; 0 is a box that fails to appear. Once the
// script is used up, a box is answered with its first button (IDYES for MB_YESNO, else IDOK).
NATIVE_API void NativeScriptMessageBoxAnswers(std::vector<int> answers);
NATIVE_API const std::vector<NativeMessageBox>& NativeMessageBoxLog();

// Every MessageBeep call's sound type, failed ones included.
NATIVE_API const std::vector<UINT>& NativeBeepLog();
// Makes MessageBeep fail for this sound type.
NATIVE_API void NativeFailMessageBeep(UINT type);

// The user's decimal separator; null makes GetLocaleInfoA fail.
NATIVE_API void NativeSetDecimalSeparator(const char* separator);

// No script, empty logs, every beep working and "." as the separator.
NATIVE_API void NativeResetUserServices();
