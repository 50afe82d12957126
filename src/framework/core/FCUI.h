// The framework's user-interface services: the plug-in's message boxes, owned by the host window,
// and the user's decimal separator.
#pragma once

#include "framework/core/FCBase.h"
#include "framework/core/FCString.h"
#include "platform/Platform.h"

class FCUI : public __FCBase {
public:
    // The window that owns every message box; null for an object used only for the locale.
    explicit FCUI(HWND window = nullptr) : window_(window) {}

    const char* ClassName() const override { return "FCUI"; }

    // Results of AlertYesNo.
    static constexpr int kYes = 2;
    static constexpr int kNo = 3;
    static constexpr int kOther = 4;

    // A Yes/No question; a null or empty title reads "Yes/No?".
    int AlertYesNo(const FCString* message, const FCString* title) const;
    // An information with one OK button; a null or empty title reads "Information".
    void AlertInfo(const FCString* message, const FCString* title) const;
    // The separator of the user's locale, "." when the locale cannot tell.
    void GetDecimalSeparator(FCString* separator) const;

    // The window that owns the message boxes.
    HWND GetWindow() const { return window_; }

private:
    int ShowMessage(const FCString* message, const FCString* title, const char* defaultTitle,
                    UINT style) const;

    HWND window_;
};
