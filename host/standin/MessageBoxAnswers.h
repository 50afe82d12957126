// The user's answers to the plug-in's message boxes and what the boxes said. Natively the
// stand-in's message boxes take the answers from a script; on Windows a hook on the host's
// thread answers each real message box as it appears, the way a user clicks a button.
#pragma once

#include <string>
#include <vector>

class MessageBoxAnswers {
public:
    struct Shown {
        std::u16string caption;
        std::u16string text;
    };

    MessageBoxAnswers();
    MessageBoxAnswers(const MessageBoxAnswers&) = delete;
    MessageBoxAnswers& operator=(const MessageBoxAnswers&) = delete;
    ~MessageBoxAnswers();

    // The button (IDOK, IDYES, IDNO) to press in the next box not yet answered; a box beyond
    // the queued answers gets its first button.
    void Queue(int answer);
    // Every message box shown so far, in order.
    std::vector<Shown> ShownBoxes() const;
};
