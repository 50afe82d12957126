// A user's session with the plug-in on one score, as the host program runs it: the score is
// opened, the plug-in loaded and started, its menu item chosen, the dialog used as the user
// script says (pick options, answer questions, press Apply), the dialog closed and the plug-in
// terminated. Reports what changed in the document.
#pragma once

#include "host/model/HostMeasurement.h"
#include "host/session/SessionReport.h"
#include "host/standin/MessageBoxAnswers.h"

#include <memory>
#include <optional>
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

    // A selection the user makes in the score before the session, in the score's own measure
    // numbers; staves are counted from the top of the current score or part (0: all of them).
    struct Selection {
        std::string firstBar;
        std::string lastBar;
        int firstStaff = 0;
        int lastStaff = 0;
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
    // Makes a linked part current before the session: its ID, or its name as reports show it.
    void SetPart(std::string part) { part_ = std::move(part); }
    // Selects measures (and staves) of the current score or part before the session, in place
    // of any selection the score file holds.
    void Select(const Selection& selection) { selection_ = selection; }
    // The report is only its summary line.
    void SetQuiet(bool quiet) { quiet_ = quiet; }
    // A file that receives the report as JSON, also when the session fails; empty: none.
    void SetJsonReport(std::string path) { jsonReportPath_ = std::move(path); }

    // Runs the session; false with a reason when the score or the plug-in cannot be used, the
    // part or the selection asked for is not in the score, the dialog does not behave as a
    // dialog must, Apply was pressed for the region scope with nothing selected, or the output
    // cannot be written. The report says what changed. Nothing is written unless the session
    // ran.
    [[nodiscard]] bool Run(std::string& report, std::string& error);

private:
    [[nodiscard]] bool RunSession(std::string& error);
    // Makes the part asked for current and selects what was asked for.
    [[nodiscard]] bool PrepareDocument(std::string& error) const;
    [[nodiscard]] bool RunSteps(std::string& error);
    // The selection and current part as the host holds them, and what the session did.
    SessionReport Report(const LayoutSnapshot& before, const LayoutSnapshot& after,
                         bool finished) const;
    // Writes the JSON report when one is asked for, with the failure if there was one.
    [[nodiscard]] bool WriteJsonReport(const std::string& failure, std::string& error) const;
    // Throws ScoreError when an output cannot be written, or is the score or another output.
    // With the score's source, which is read only after the check without it, also checks the
    // output's format and the part files, and returns those.
    std::vector<std::string> CheckOutputs(const ScoreSource* source) const;
    // Writes the outputs: the score, the part files, and the picture of the layout before and
    // after the session; the report lists the part files, the picture and what the files cannot
    // hold.
    [[nodiscard]] bool Save(const ScoreSource& source, const std::vector<std::string>& partFiles,
                            const LayoutSnapshot& before, const LayoutSnapshot& after,
                            std::string& error);
    // The picture's title: the score, the mode and scope of the last Apply, the selection.
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
    std::string part_;
    std::optional<Selection> selection_;
    bool quiet_ = false;
    std::string jsonReportPath_;
    // The spacing mode and scope the dialog showed at each Apply.
    std::vector<SessionReport::Applied> applied_;
    // Apply was pressed for the region scope while nothing was selected.
    bool appliedToNoSelection_ = false;
    // The plug-in was started, so there is a report to give.
    bool invoked_ = false;
    SessionReport report_;
};
