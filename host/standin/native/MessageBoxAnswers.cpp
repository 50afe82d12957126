#include "host/standin/MessageBoxAnswers.h"

#include "platform/native/NativeUserScript.h"

#include <algorithm>

namespace {

// The answers scripted and not yet used, and how many boxes had been shown when they were set.
std::vector<int> pending;
std::size_t shownWhenScripted = 0;

} // namespace

MessageBoxAnswers::MessageBoxAnswers() {
    pending.clear();
    shownWhenScripted = NativeMessageBoxLog().size();
    NativeScriptMessageBoxAnswers({});
}

MessageBoxAnswers::~MessageBoxAnswers() {
    pending.clear();
}

void MessageBoxAnswers::Queue(int answer) {
    const std::size_t used =
        std::min(NativeMessageBoxLog().size() - shownWhenScripted, pending.size());
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(used));
    pending.push_back(answer);
    shownWhenScripted = NativeMessageBoxLog().size();
    NativeScriptMessageBoxAnswers(pending);
}

std::vector<MessageBoxAnswers::Shown> MessageBoxAnswers::ShownBoxes() const {
    std::vector<Shown> shown;
    for (const NativeMessageBox& box : NativeMessageBoxLog()) {
        shown.push_back({box.caption, box.text});
    }
    return shown;
}
