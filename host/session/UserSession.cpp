#include "host/session/UserSession.h"

#include "host/files/AtomicFile.h"
#include "host/files/FilePath.h"
#include "host/files/OutputFiles.h"
#include "host/files/ScoreError.h"
#include "host/files/Utf8.h"
#include "host/formats/ScoreSource.h"
#include "host/model/HostParts.h"
#include "host/model/HostStaffLists.h"
#include "host/picture/LayoutPicture.h"
#include "host/picture/LayoutSnapshot.h"
#include "host/session/DialogReport.h"
#include "host/session/DialogUser.h"
#include "host/session/LayoutChanges.h"
#include "host/session/PluginDialogItems.h"
#include "host/session/PluginModule.h"
#include "host/session/ReportText.h"
#include "host/standin/HostDialogs.h"
#include "host/standin/HostMainWindow.h"
#include "host/standin/HostMessageLoop.h"
#include "host/standin/MessageBoxAnswers.h"
#include "host/standin/StandInHost.h"
#include "hostinterface/HostLayouts.h"

#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>

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

// The scope popup's first item: the region in the current score or part.
constexpr int kRegionScope = 0;

// The part named by its ID or by its name as reports show it.
std::optional<std::int16_t> FindPart(HostDocument& document, const ScoreTerms& terms,
                                     const std::string& wanted) {
    const std::vector<std::int16_t> parts = HostParts::All(document);
    for (const std::int16_t part : parts) {
        if (std::to_string(part) == wanted) {
            return part;
        }
    }
    for (const std::int16_t part : parts) {
        if (terms.Part(part) == wanted) {
            return part;
        }
    }
    return std::nullopt;
}

// "Score (0), Flute (1)".
std::string PartList(HostDocument& document, const ScoreTerms& terms) {
    std::string list;
    for (const std::int16_t part : HostParts::All(document)) {
        list += (list.empty() ? "" : ", ") + terms.Part(part) + " (" + std::to_string(part) + ")";
    }
    return list;
}

// The host's selection as the report gives it; none when nothing is selected.
std::optional<SessionReport::Selection> SelectionOf(StandInHost& host) {
    const HostSelection::Region& region = host.Selection().Selected();
    if (region.startMeasure == 0 && region.endMeasure == 0) {
        return std::nullopt;
    }
    const auto staves = HostStaffLists::PartStaves(host.Document()).size();
    return SessionReport::Selection{
        region.startMeasure, region.endMeasure, region.startSlot, region.endSlot,
        region.startSlot == 1 && static_cast<std::size_t>(region.endSlot) == staves};
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
                applied_.push_back({SelectedText(user, Items::kModePopup),
                                    SelectedText(user, Items::kScopePopup)});
                appliedToNoSelection_ =
                    appliedToNoSelection_ || (user.Selection(Items::kScopePopup) == kRegionScope &&
                                              !SelectionOf(StandInHost::Instance()));
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
    const std::string score = FilePath::Text(FilePath::Of(scorePath_).filename());
    const std::string selection = "; " + report_.SelectionText();
    if (applied_.empty()) {
        return score + ": Apply was not pressed" + selection;
    }
    return score + ": " + applied_.back().mode + ", " + applied_.back().scope + selection;
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
    for (const std::string* path : {&picturePath_, &callLogPath_, &jsonReportPath_}) {
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
    report_ = SessionReport{};
    report_.score = scorePath_;
    report_.finished = false;
    const bool ran = RunSession(error);
    report = invoked_ ? views_ + report_.Text(quiet_) : std::string();
    std::string reportError;
    if (!WriteJsonReport(ran ? std::string() : error, reportError)) {
        error = ran ? reportError : error + "; " + reportError;
        return false;
    }
    return ran;
}

bool UserSession::RunSession(std::string& error) {
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
    if (!PrepareDocument(error)) {
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
    const LayoutSnapshot before = LayoutSnapshot::Take(host);
    // The picture after the session is as large as before unless the pass adds systems; one too
    // large already is refused before the session.
    if (!picturePath_.empty() &&
        !LayoutPicture::Check(picturePath_, before, before, PictureTitle(), error)) {
        return false;
    }
    plugin.invoke(host.MainWindow());
    const bool finished = RunSteps(error);
    plugin.terminate();
    plugin.Unload();
    const LayoutSnapshot after = LayoutSnapshot::Take(host);
    report_ = Report(before, after, finished);
    invoked_ = true;
    // The call log tells what happened also when the session failed.
    try {
        if (callLog) {
            callLog->Commit();
        }
    } catch (const ScoreError& problem) {
        error = finished ? problem.what() : error;
        return false;
    }
    if (finished && appliedToNoSelection_) {
        error =
            "scope \"Region in Current Score/Part\" works on a selection, and none was made in " +
            host.Terms().Part(host.Document().CurrentPart()) +
            ": give one with --select FIRST-LAST";
        return false;
    }
    return finished && Save(*source, partFiles, before, after, error);
}

bool UserSession::PrepareDocument(std::string& error) const {
    StandInHost& host = StandInHost::Instance();
    HostDocument& document = host.Document();
    const ScoreTerms& terms = host.Terms();
    if (!part_.empty()) {
        const std::optional<std::int16_t> part = FindPart(document, terms, part_);
        if (!part) {
            error = "no part \"" + part_ + "\" in the score; its parts are " +
                    PartList(document, terms);
            return false;
        }
        HostParts::SwitchTo(document, *part);
    }
    if (!selection_) {
        return true;
    }
    const std::int32_t count = host.Layout().MeasureCount();
    const std::optional<std::int32_t> first = terms.MeasureNumbered(selection_->firstBar, 1, count);
    if (!first) {
        error = "no bar " + selection_->firstBar + " in the score (its bars run from " +
                terms.Bar(1) + " to " + terms.Bar(count) + ")";
        return false;
    }
    const std::optional<std::int32_t> last =
        terms.MeasureNumbered(selection_->lastBar, *first, count);
    if (!last) {
        error = "no bar " + selection_->lastBar + " at or after bar " + selection_->firstBar +
                " in the score (its bars run from " + terms.Bar(1) + " to " + terms.Bar(count) +
                ")";
        return false;
    }
    const auto staves = static_cast<int>(HostStaffLists::PartStaves(document).size());
    const int firstStaff = selection_->firstStaff == 0 ? 1 : selection_->firstStaff;
    const int lastStaff = selection_->lastStaff == 0 ? staves : selection_->lastStaff;
    if (lastStaff > staves) {
        error = "no staff " + std::to_string(lastStaff) + " in " +
                terms.Part(document.CurrentPart()) + ", which has " + std::to_string(staves);
        return false;
    }
    HostSelection::Region region;
    region.startSlot = static_cast<std::int16_t>(firstStaff);
    region.endSlot = static_cast<std::int16_t>(lastStaff);
    region.startMeasure = static_cast<std::int16_t>(*first);
    region.endMeasure = static_cast<std::int16_t>(*last);
    region.endPosition = std::numeric_limits<std::int32_t>::max();
    host.Selection().Select(region);
    return true;
}

SessionReport UserSession::Report(const LayoutSnapshot& before, const LayoutSnapshot& after,
                                  bool finished) const {
    StandInHost& host = StandInHost::Instance();
    SessionReport report;
    report.score = scorePath_;
    report.terms = after.terms;
    report.currentPart = host.Document().CurrentPart();
    report.selection = SelectionOf(host);
    report.applied = applied_;
    for (const MessageBoxAnswers::Shown& box : shown_) {
        report.messages.push_back({Utf8::FromUtf16(box.caption), Utf8::FromUtf16(box.text)});
    }
    report.editsKept = host.Edit().CommittedTitles().size();
    report.editsCancelled = static_cast<std::size_t>(host.Edit().CancelledCount());
    report.finished = finished;
    report.changes = LayoutChanges::Between(before, after);
    return report;
}

bool UserSession::WriteJsonReport(const std::string& failure, std::string& error) const {
    if (jsonReportPath_.empty()) {
        return true;
    }
    try {
        AtomicFile::Write(jsonReportPath_, report_.Json(failure));
    } catch (const ScoreError& problem) {
        error = problem.what();
        return false;
    }
    return true;
}

bool UserSession::Save(const ScoreSource& source, const std::vector<std::string>& partFiles,
                       const LayoutSnapshot& before, const LayoutSnapshot& after,
                       std::string& error) {
    StandInHost& host = StandInHost::Instance();
    // Everything that can fail short of the disk is done before the first file is written.
    std::string picture;
    if (!picturePath_.empty() &&
        !LayoutPicture::Draw(picturePath_, before, after, PictureTitle(), picture, error)) {
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
    report_.partFiles = partFiles;
    report_.picture = picturePath_;
    report_.warnings = source.Warnings(outputPath_, !partsFolder_.empty(), host.Document());
    return true;
}
