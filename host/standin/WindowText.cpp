#include "host/standin/WindowText.h"

std::u16string WindowText(HWND window) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, AsPlatformText(text.data()), static_cast<int>(text.size()))));
    return text;
}

std::u16string ListItemText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return u"";
    }
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}
