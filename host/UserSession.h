// A user's session with the plug-in on one score, as the host program runs it: the score is
// opened, the plug-in loaded and started, its menu item chosen, the dialog used as the user
// script says (pick options, answer questions, press Apply), the dialog closed and the plug-in
// terminated. Reports what changed in the document.
#pragma once

#include "host/HostMeasurement.h"
#include "host/MessageBoxAnswers.h"

#include <string>
#include <vector>

class UserSession {
public:
    // One step of the user script: an action on a dialog item, an answer to a message box, a
    // look at the dialog, a move of it, or a wait with it open (so it can be photographed).
    struct Step {
        enum class Kind { Select, Check, Type, Press, Answer, Show, Move, Wait };
        Kind kind;
        int item;            // the dialog item; the x of a move
        std::u16string text; // typed text
        int value;           // item index, check state, message box answer, the y of a move, or
                             // the seconds of a wait
    };

    UserSession(std::string scorePath, std::string pluginPath)
        : scorePath_(std::move(scorePath)), pluginPath_(std::move(pluginPath)) {}

    void Add(const Step& step) { steps_.push_back(step); }
    // The folder where the host keeps the settings file shared by plug-ins.
    void SetSettingsFolder(std::u16string folder) { settingsFolder_ = std::move(folder); }
    // The measurement unit the user chose in the host.
    void SetUnit(HostUnit unit) { unit_ = unit; }

    // Runs the session; false with a reason when the score or the plug-in cannot be used or the
    // dialog does not behave as a dialog must. The report says what changed.
    bool Run(std::string& report, std::string& error);

private:
    bool RunSteps(std::string& error);

    std::string scorePath_;
    std::string pluginPath_;
    std::vector<Step> steps_;
    std::vector<MessageBoxAnswers::Shown> shown_;
    // What the dialog showed at each look, in order.
    std::string views_;
    std::u16string settingsFolder_;
    HostUnit unit_ = HostUnit::EVPUs;
};
