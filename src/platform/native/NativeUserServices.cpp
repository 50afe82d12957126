// The native stand-in's message boxes, beeps and locale: answers come from a script, and what the
// plug-in showed and played is recorded.
#include "platform/native/NativeUserScript.h"

#include <cstring>
#include <deque>
#include <optional>
#include <set>

namespace {

struct UserServices {
    std::deque<int> answers;
    std::vector<NativeMessageBox> boxes;
    std::vector<UINT> beeps;
    std::set<UINT> failingBeeps;
    std::optional<std::string> decimalSeparator = ".";
};

UserServices& Services() {
    static UserServices services;
    return services;
}

std::u16string TextOf(LPCWSTR text) {
    return text ? std::u16string(text) : std::u16string();
}

int FirstButtonOf(UINT style) {
    return (style & 0x0Fu) == MB_YESNO ? IDYES : IDOK;
}

// What GetLocaleInfoA hands back for a locale item: only the decimal separator is known.
std::optional<std::string> LocaleItem(LCTYPE type) {
    return type == LOCALE_SDECIMAL ? Services().decimalSeparator : std::nullopt;
}

} // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style) {
    UserServices& services = Services();
    services.boxes.push_back({owner, TextOf(caption), TextOf(text), style});
    if (services.answers.empty()) {
        return FirstButtonOf(style);
    }
    const int answer = services.answers.front();
    services.answers.pop_front();
    return answer;
}

BOOL MessageBeep(UINT type) {
    Services().beeps.push_back(type);
    return Services().failingBeeps.count(type) ? FALSE : TRUE;
}

// Like Windows: the size in bytes with the terminator, asked with no room; 0 when the item is
// unknown or the room is too small.
int GetLocaleInfoA(LCID /*locale*/, LCTYPE type, LPSTR data, int dataSize) {
    const std::optional<std::string> item = LocaleItem(type);
    if (!item) {
        return 0;
    }
    const int needed = static_cast<int>(item->size()) + 1;
    if (dataSize == 0) {
        return needed;
    }
    if (!data || dataSize < needed) {
        return 0;
    }
    std::memcpy(data, item->c_str(), static_cast<std::size_t>(needed));
    return needed;
}

void NativeScriptMessageBoxAnswers(std::vector<int> answers) {
    Services().answers.assign(answers.begin(), answers.end());
}

const std::vector<NativeMessageBox>& NativeMessageBoxLog() {
    return Services().boxes;
}

const std::vector<UINT>& NativeBeepLog() {
    return Services().beeps;
}

void NativeFailMessageBeep(UINT type) {
    Services().failingBeeps.insert(type);
}

void NativeSetDecimalSeparator(const char* separator) {
    Services().decimalSeparator = separator ? std::optional<std::string>(separator) : std::nullopt;
}

void NativeResetUserServices() {
    Services() = UserServices();
}
