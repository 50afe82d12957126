// A user's session with the plug-in on one score, as the host program runs it: the score is
// opened, the plug-in loaded and started, its menu item chosen, the dialog used as the user
// script says (pick options, answer questions, press Apply), the dialog closed and the plug-in
// terminated. Reports what changed in the document.
#pragma once

#include "host/HostMeasurement.h"
#include "host/MessageBoxAnswers.h"

#include <memory>
#include <string>
#include <vector>

class ScoreSource;
struct LayoutSnapshot;

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
    // A MusicXML score also gets one linked part per MusicXML part.
    void SetLinkedParts(bool linkedParts) { linkedParts_ = linkedParts; }
    // Where the document is written after the session (nothing when empty): the score file, and
    // a folder for one file per linked part.
    void SetOutput(std::string path) { outputPath_ = std::move(path); }
    void SetPartsOutput(std::string folder) { partsFolder_ = std::move(folder); }
    // A file that receives every host call of the session, one a line; empty: none.
    void SetCallLog(std::string path) { callLogPath_ = std::move(path); }
    // Where to draw the layout before and after the session; empty: no picture.
    void SetPicture(std::string path) { picturePath_ = std::move(path); }

    // Runs the session; false with a reason when the score or the plug-in cannot be used, the
    // dialog does not behave as a dialog must, or the output cannot be written. The report says
    // what changed. Nothing is written unless the session ran.
    bool Run(std::string& report, std::string& error);

private:
    bool RunSteps(std::string& error);
    // Throws ScoreError when an output cannot be written, or is the score or another output.
    // With the score's source, which is read only after the check without it, also checks the
    // output's format and the part files, and returns those.
    std::vector<std::string> CheckOutputs(const ScoreSource* source) const;
    // Writes the outputs: the score, the part files, and the picture of the layout before the
    // session and as it is now; the report lists the part files, the picture and what the
    // files cannot hold.
    bool Save(const ScoreSource& source, const std::vector<std::string>& partFiles,
              const LayoutSnapshot& before, std::string& report, std::string& error) const;
    // The picture's title: the score and the mode and scope of the last Apply.
    std::string PictureTitle() const;

    std::string scorePath_;
    std::string pluginPath_;
    std::vector<Step> steps_;
    std::vector<MessageBoxAnswers::Shown> shown_;
    // What the dialog showed at each look, in order.
    std::string views_;
    std::u16string settingsFolder_;
    HostUnit unit_ = HostUnit::EVPUs;
    bool linkedParts_ = false;
    std::string outputPath_;
    std::string partsFolder_;
    std::string callLogPath_;
    std::string picturePath_;
    // The spacing mode and scope the dialog showed at the last Apply; empty before one.
    std::string appliedMode_;
    std::string appliedScope_;
};
