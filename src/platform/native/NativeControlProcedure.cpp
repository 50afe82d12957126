#include "platform/native/NativeControlProcedure.h"

#include "platform/native/NativeText.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr LRESULT kComboOk = 0;

bool IsCheckable(DWORD style) {
    switch (style & 0xF) {
    case 0x2: // check box
    case 0x3: // automatic check box
    case 0x4: // radio button
    case 0x5: // three-state
    case 0x6: // automatic three-state
    case 0x9: // automatic radio button
        return true;
    default:
        return false;
    }
}

bool IsValidIndex(const NativeWindow& combo, WPARAM index) {
    return index < combo.listItems.size();
}

std::u16string TextArgument(LPARAM text, TextWidth width) {
    return width == TextWidth::Wide ? CopyUTF16(reinterpret_cast<const char16_t*>(text))
                                    : WidenLatin1(reinterpret_cast<const char*>(text));
}

} // namespace

LRESULT NativeControlProcedure::Handle(NativeWindow& control, UINT message, WPARAM wParam,
                                       LPARAM lParam, TextWidth width) {
    if (control.IsClass(u"ComboBox")) {
        return HandleComboBox(control, message, wParam, lParam, width);
    }
    if (control.IsClass(u"Button")) {
        return HandleButton(control, message, wParam);
    }
    return 0;
}

LRESULT NativeControlProcedure::HandleComboBox(NativeWindow& combo, UINT message, WPARAM wParam,
                                               LPARAM lParam, TextWidth width) {
    switch (message) {
    case CB_RESETCONTENT:
        combo.listItems.clear();
        combo.selection = -1;
        return kComboOk;
    case CB_ADDSTRING:
        if (!lParam) {
            return CB_ERR;
        }
        combo.listItems.push_back(TextArgument(lParam, width));
        return static_cast<LRESULT>(combo.listItems.size() - 1);
    case CB_GETCOUNT:
        return static_cast<LRESULT>(combo.listItems.size());
    case CB_GETCURSEL:
        return combo.selection;
    case CB_SETCURSEL:
        // An index out of range, -1 among them, clears the selection and reports CB_ERR.
        combo.selection = IsValidIndex(combo, wParam) ? static_cast<int>(wParam) : -1;
        return combo.selection;
    case CB_GETLBTEXTLEN:
        return IsValidIndex(combo, wParam) ? static_cast<LRESULT>(combo.listItems[wParam].size())
                                           : CB_ERR;
    case CB_GETLBTEXT:
        return IsValidIndex(combo, wParam) && lParam
                   ? CopyItemText(combo.listItems[wParam], lParam, width)
                   : CB_ERR;
    default:
        return 0;
    }
}

LRESULT NativeControlProcedure::HandleButton(NativeWindow& button, UINT message, WPARAM wParam) {
    if (message == BM_GETCHECK) {
        return button.check;
    }
    if (message == BM_SETCHECK && IsCheckable(button.style)) {
        button.check = static_cast<int>(wParam);
    }
    return 0;
}

// The caller's buffer holds the item and its terminator, as CB_GETLBTEXTLEN told it.
LRESULT NativeControlProcedure::CopyItemText(const std::u16string& item, LPARAM buffer,
                                             TextWidth width) {
    if (width == TextWidth::Wide) {
        auto* out = reinterpret_cast<char16_t*>(buffer);
        std::copy(item.begin(), item.end(), out);
        out[item.size()] = 0;
    } else {
        const std::string narrow = NarrowLatin1(item);
        std::memcpy(reinterpret_cast<char*>(buffer), narrow.c_str(), narrow.size() + 1);
    }
    return static_cast<LRESULT>(item.size());
}
