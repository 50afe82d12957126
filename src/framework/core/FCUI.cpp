#include "framework/core/FCUI.h"

namespace {

// Room Windows gives a locale item such as the decimal separator, terminator included.
constexpr int kLocaleItemRoom = 8;

const char16_t* TextOrEmpty(const FCString* text) {
    return text ? text->GetUTF16() : u"";
}

} // namespace

int FCUI::AlertYesNo(const FCString* message, const FCString* title) const {
    switch (ShowMessage(message, title, "Yes/No?", MB_YESNO)) {
    case IDYES:
        return kYes;
    case IDNO:
        return kNo;
    default:
        return kOther;
    }
}

void FCUI::AlertInfo(const FCString* message, const FCString* title) const {
    ShowMessage(message, title, "Information", MB_ICONINFORMATION);
}

void FCUI::GetDecimalSeparator(FCString* separator) const {
    char item[kLocaleItemRoom] = {};
    const bool found =
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, item, kLocaleItemRoom) > 0;
    item[kLocaleItemRoom - 1] = '\0';
    separator->SetCString(found ? item : ".");
}

int FCUI::ShowMessage(const FCString* message, const FCString* title, const char* defaultTitle,
                      UINT style) const {
    const FCString shownTitle =
        title && !title->IsEmpty() ? FCString(*title) : FCString(defaultTitle);
    return MessageBoxW(window_, AsPlatformText(TextOrEmpty(message)),
                       AsPlatformText(shownTitle.GetUTF16()), style);
}
