#include "host/standin/MessageBoxAnswers.h"

#include "platform/Platform.h"

#include <deque>

namespace {

// The static control that holds a message box's text.
constexpr int kMessageTextItem = 0xFFFF;

struct HookState {
    HHOOK hook = nullptr;
    std::deque<int> answers;
    std::vector<MessageBoxAnswers::Shown> shown;
};

HookState state;

std::u16string WindowText(HWND window) {
    char16_t text[2048] = {};
    GetWindowTextW(window, AsPlatformText(text), 2048);
    return text;
}

int FirstButton(HWND box) {
    return GetDlgItem(box, IDYES) ? IDYES : IDOK;
}

// A message box is a dialog with its text in item 0xFFFF; the plug-in's own dialog has none.
LRESULT CALLBACK AnswerMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto box = reinterpret_cast<HWND>(wParam);
        HWND text = GetDlgItem(box, kMessageTextItem);
        if (text) {
            state.shown.push_back({WindowText(box), WindowText(text)});
            int answer = FirstButton(box);
            if (!state.answers.empty()) {
                answer = state.answers.front();
                state.answers.pop_front();
            }
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(state.hook, code, wParam, lParam);
}

} // namespace

MessageBoxAnswers::MessageBoxAnswers() {
    state = HookState{};
    state.hook = SetWindowsHookExW(WH_CBT, AnswerMessageBoxes, nullptr, GetCurrentThreadId());
}

MessageBoxAnswers::~MessageBoxAnswers() {
    if (state.hook) {
        UnhookWindowsHookEx(state.hook);
    }
    state = HookState{};
}

void MessageBoxAnswers::Queue(int answer) {
    state.answers.push_back(answer);
}

std::vector<MessageBoxAnswers::Shown> MessageBoxAnswers::ShownBoxes() const {
    return state.shown;
}
