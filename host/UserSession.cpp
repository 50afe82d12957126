#include "host/UserSession.h"

#include "host/AtomicFile.h"
#include "host/DialogReport.h"
#include "host/DialogUser.h"
#include "host/HostDialogs.h"
#include "host/HostMainWindow.h"
#include "host/HostMessageLoop.h"
#include "host/MessageBoxAnswers.h"
#include "host/OutputFiles.h"
#include "host/PluginDialogItems.h"
#include "host/PluginModule.h"
#include "host/ReportText.h"
#include "host/ScoreError.h"
#include "host/ScoreReport.h"
#include "host/ScoreSource.h"
#include "host/StandInHost.h"
#include "host/picture/LayoutPicture.h"
#include "host/picture/LayoutSnapshot.h"
#include "hostinterface/HostLayouts.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>

namespace {

namespace Items = PluginDialogItems;

// The host's start-up conversation: version, initialisation, menu item.
void StartPlugin(PluginModule& plugin, StandInHost& host) {
    plugin.version(host.Version());
    std::uint32_t flags = 0;
    plugin.init(nullptr, &flags);
    std::vector<unsigned char> record(MenuRecord16::kSize);
    plugin.enumerateUTF16(nullptr, 0, record.data());
}

std::string StepName(const UserSession::Step& step) {
    static const char* kNames[] = {
        "select an item of", "tick", "type into", "press", "answer", "show", "move", "wait with"};
    return std::string(kNames[static_cast<int>(step.kind)]) + " item " + std::to_string(step.item);
}

// Lets the user look at the dialog for a while, the host's messages flowing meanwhile.
void KeepOpen(int seconds) {
    std::fprintf(stderr, "finale: the dialog stays open for %d s\n", seconds);
    std::fflush(stderr);
    KeepMessagesFlowing(seconds);
}

// The text of the popup's selected item; empty when nothing is selected.
std::string SelectedText(const DialogUser& user, int popup) {
    const std::vector<std::u16string> items = user.ListItems(popup);
    const int selected = user.Selection(popup);
    return selected >= 0 && selected < static_cast<int>(items.size())
               ? ReportText(items[static_cast<std::size_t>(selected)])
               : std::string();
}

// What the session did to the document. When a step failed, an unchanged document is not said
// to be the outcome: the session never got to the end.
std::string Summary(StandInHost& host, const std::vector<MessageBoxAnswers::Shown>& boxes,
                    const std::string& before, bool finished) {
    std::ostringstream out;
    for (const MessageBoxAnswers::Shown& box : boxes) {
        out << "message \"" << ReportText(box.caption) << "\": " << ReportText(box.text) << '\n';
    }
    out << "edits kept: " << host.Edit().CommittedTitles().size()
        << ", edits cancelled: " << host.Edit().CancelledCount() << '\n';
    const std::string changes =
        ScoreReport::Changes(before, ScoreReport::Describe(host.Document()));
    if (!changes.empty()) {
        out << changes;
    } else if (finished) {
        out << "no change to the document\n";
    }
    return out.str();
}

// Streams the host's calls to the log while it lives.
class CallStream {
public:
    CallStream(StandInHost& host, std::ostream* log) : host_(host) { host_.StreamCalls(log); }
    CallStream(const CallStream&) = delete;
    CallStream& operator=(const CallStream&) = delete;
    ~CallStream() { host_.StreamCalls(nullptr); }

private:
    StandInHost& host_;
};

} // namespace

bool UserSession::RunSteps(std::string& error) {
    const HWND dialog = HostDialogs::Instance().Newest();
    if (!dialog) {
        error = "the plug-in showed no dialog";
        return false;
    }
    DialogUser user(dialog);
    MessageBoxAnswers answers;
    for (const Step& step : steps_) {
        bool done = true;
        switch (step.kind) {
        case Step::Kind::Select:
            done = user.SelectItem(step.item, step.value);
            break;
        case Step::Kind::Check:
            done = user.SetCheck(step.item, step.value != 0);
            break;
        case Step::Kind::Type:
            done = user.TypeText(step.item, step.text);
            break;
        case Step::Kind::Press:
            if (step.item == Items::kApply) {
                appliedMode_ = SelectedText(user, Items::kModePopup);
                appliedScope_ = SelectedText(user, Items::kScopePopup);
            }
            done = user.Press(step.item);
            break;
        case Step::Kind::Answer:
            answers.Queue(step.value);
            break;
        case Step::Kind::Show:
            views_ += DialogReport::Describe(dialog);
            break;
        case Step::Kind::Move:
            done = user.MoveTo(step.item, step.value);
            break;
        case Step::Kind::Wait:
            KeepOpen(step.value);
            break;
        }
        if (!done) {
            error = "cannot " + StepName(step) + " of the dialog";
            return false;
        }
    }
    shown_ = answers.ShownBoxes();
    if (user.IsOpen()) {
        user.Press(Items::kClose);
    }
    return true;
}

std::string UserSession::PictureTitle() const {
    const std::string score = std::filesystem::path(scorePath_).filename().string();
    if (appliedMode_.empty() && appliedScope_.empty()) {
        return score + ": Apply was not pressed";
    }
    return score + ": " + appliedMode_ + ", " + appliedScope_;
}

std::vector<std::string> UserSession::CheckOutputs(const ScoreSource* source) const {
    if (std::string error;
        !picturePath_.empty() && !LayoutPicture::CheckPath(picturePath_, error)) {
        throw ScoreError(error);
    }
    std::vector<std::string> outputs;
    if (!outputPath_.empty()) {
        if (source) {
            source->CheckOutput(outputPath_);
        }
        outputs.push_back(outputPath_);
    }
    for (const std::string* path : {&picturePath_, &callLogPath_}) {
        if (!path->empty()) {
            outputs.push_back(*path);
        }
    }
    for (const std::string& path : outputs) {
        AtomicFile::CheckWritable(path);
    }
    std::vector<std::string> partFiles;
    if (source && !partsFolder_.empty()) {
        partFiles = source->PartFiles(partsFolder_);
        // Files of a folder still to be made are new files in it.
        if (OutputFiles::CheckFolder(partsFolder_)) {
            for (const std::string& path : partFiles) {
                AtomicFile::CheckWritable(path);
            }
        }
    }
    outputs.insert(outputs.end(), partFiles.begin(), partFiles.end());
    OutputFiles::CheckDistinct(scorePath_, outputs);
    return partFiles;
}

bool UserSession::Run(std::string& report, std::string& error) {
    StandInHost& host = StandInHost::Instance();
    host.Reset();
    // A long session would fill the memory with its calls: they are counted, and written to the
    // call log when one is asked for.
    host.KeepCalls(false);
    std::unique_ptr<ScoreSource> source;
    std::vector<std::string> partFiles;
    std::optional<AtomicFile> callLog;
    try {
        CheckOutputs(nullptr);
        source = ScoreSource::Open(scorePath_, linkedParts_, host);
        partFiles = CheckOutputs(source.get());
        if (!callLogPath_.empty()) {
            callLog.emplace(callLogPath_);
        }
    } catch (const ScoreError& problem) {
        error = problem.what();
        return false;
    }
    const CallStream streaming(host, callLog ? &callLog->Stream() : nullptr);
    host.SetSettingsFolder(settingsFolder_);
    HostDialogs::Instance().SetUnit(unit_);
    host.RegisterHostModule();
    HostMainWindow mainWindow;
    PluginModule plugin;
    if (!plugin.Load(pluginPath_, error)) {
        return false;
    }
    StartPlugin(plugin, host);
    const std::string before = ScoreReport::Describe(host.Document());
    const LayoutSnapshot layoutBefore =
        picturePath_.empty() ? LayoutSnapshot{} : LayoutSnapshot::Take(host);
    // The picture after the session is as large as before unless the pass adds systems; one too
    // large already is refused before the session.
    if (!picturePath_.empty() &&
        !LayoutPicture::Check(picturePath_, layoutBefore, layoutBefore, PictureTitle(), error)) {
        return false;
    }
    plugin.invoke(host.MainWindow());
    const bool ran = RunSteps(error);
    plugin.terminate();
    plugin.Unload();
    report = views_ + Summary(host, shown_, before, ran);
    // The call log tells what happened also when the session failed.
    try {
        if (callLog) {
            callLog->Commit();
        }
    } catch (const ScoreError& problem) {
        error = ran ? problem.what() : error;
        return false;
    }
    return ran && Save(*source, partFiles, layoutBefore, report, error);
}

bool UserSession::Save(const ScoreSource& source, const std::vector<std::string>& partFiles,
                       const LayoutSnapshot& before, std::string& report,
                       std::string& error) const {
    StandInHost& host = StandInHost::Instance();
    // Everything that can fail short of the disk is done before the first file is written.
    std::string picture;
    if (!picturePath_.empty() &&
        !LayoutPicture::Draw(picturePath_, before, LayoutSnapshot::Take(host), PictureTitle(),
                             picture, error)) {
        return false;
    }
    try {
        if (!outputPath_.empty()) {
            source.Save(outputPath_, host.Document());
        }
        if (!partsFolder_.empty()) {
            source.SaveParts(partsFolder_, host.Document());
        }
        if (!picturePath_.empty()) {
            AtomicFile::Write(picturePath_, picture);
        }
    } catch (const ScoreError& problem) {
        error = problem.what();
        return false;
    }
    for (const std::string& file : partFiles) {
        report += "part file: " + file + '\n';
    }
    for (const std::string& warning :
         source.Warnings(outputPath_, !partsFolder_.empty(), host.Document())) {
        report += "warning: " + warning + '\n';
    }
    if (!picturePath_.empty()) {
        report += "picture: " + picturePath_ + '\n';
    }
    return true;
}
