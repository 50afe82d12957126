#include "tests/validator/ValidationCycle.h"

#include "host/files/ScoreError.h"
#include "host/formats/json/ScoreFile.h"
#include "host/session/DialogUser.h"
#include "host/session/PluginDialogItems.h"
#include "host/session/PluginModule.h"
#include "host/standin/HostDialogs.h"
#include "host/standin/HostMainWindow.h"
#include "host/standin/MessageBoxAnswers.h"
#include "host/standin/StandInHost.h"
#include "tests/support/RandomDocument.h"
#include "tests/support/SettingsFileModel.h"
#include "tests/support/TemporaryFolder.h"

#include <array>
#include <vector>

namespace {

using namespace PluginDialogItems;

constexpr std::array kPopups = {kModePopup, kScopePopup, kReferenceMeasurePopup,
                                kReferenceRestPopup};
constexpr std::array kChecks = {kSimpleCheck, kMultimeasureCheck, kDurationsCheck};
constexpr std::array kEdits = {kWidthEdit, kFactorEdit};

// What a user may type into the width or the factor: lengths with and without units, factors in
// and out of range, and text that is no number at all.
constexpr std::array<const char16_t*, 16> kTexts = {
    u"480", u"1,5 inches",   u"3p6", u"12.5mm",
    u"1.3", u"1.9",          u"0.5", u"-72",
    u"",    u"wide",         u" 7 ", u"1e9",
    u"nan", u"\u00e9\u00e9", u"0",   u"99999999999999999999999999999999999999999999999999"};

constexpr std::array kAnswers = {IDYES, IDNO};

const char* const kSettingsFileName = "zrpluginprefs.txt";

// The host's start-up conversation: version, initialisation, both menu records, menu status.
void StartPlugin(PluginModule& plugin, StandInHost& host) {
    plugin.version(host.Version());
    std::uint32_t flags = 0;
    plugin.init(nullptr, &flags);
    std::vector<unsigned char> record8(3 * 64 + 4);
    plugin.enumerate(nullptr, 0, record8.data());
    std::vector<unsigned char> record16(768 + 4);
    plugin.enumerateUTF16(nullptr, 0, record16.data());
    plugin.menuStatus(nullptr);
}

template <typename Items> auto AnyOf(const Items& items, SeededDraw& draw) {
    return items[static_cast<std::size_t>(draw.Between(0, static_cast<int>(items.size()) - 1))];
}

// Queues answers for the message boxes the next press may bring, each yes or no.
void QueueAnswers(MessageBoxAnswers& answers, SeededDraw& draw) {
    for (int i = 0; i < 3; ++i) {
        answers.Queue(AnyOf(kAnswers, draw));
    }
}

} // namespace

std::string ValidationCycle::SettingsFileText(SeededDraw& draw) const {
    static const char* const kOwnKeys[] = {
        "ZRSTPOL_PROCESSINGMODE",      "ZRSTPOL_SPACINGMODE",     "ZRSTPOL_SINGLERESTREFERENCE",
        "ZRSTPOL_DEFAULTSINGLEWIDTH",  "ZRSTPOL_MMRESTREFERENCE", "ZRSTPOL_USEMMRESTSPACING",
        "ZRSTPOL_MMRESTSCALINGFACTOR", "ZRSTPOL_WINDOWX",         "ZRSTPOL_WINDOWY"};
    std::string text;
    for (int line = draw.Between(0, 12); line > 0; --line) {
        if (draw.Percent(40)) {
            text += std::string(kOwnKeys[draw.Between(0, 8)]) + "=" +
                    std::to_string(draw.Between(-3, 12)) + "\r\n";
        } else {
            text += "OTHER_PLUGIN_" + std::to_string(draw.Between(0, 5)) + " = value \xE9" +
                    std::to_string(draw.Between(-1000, 1000)) + (draw.Percent(20) ? "\n" : "\r\n");
        }
    }
    return text;
}

std::string ValidationCycle::UseDialog(PluginModule& plugin, SeededDraw& draw) const {
    StandInHost& host = StandInHost::Instance();
    MessageBoxAnswers answers;
    HWND dialog = HostDialogs::Instance().Newest();
    for (int action = draw.Between(4, 24); action > 0; --action) {
        if (!dialog) {
            return "the plug-in showed no dialog";
        }
        DialogUser user(dialog);
        switch (draw.Between(0, 7)) {
        case 0:
            user.SelectItem(AnyOf(kPopups, draw), draw.Between(-1, 7));
            break;
        case 1:
            user.SetCheck(AnyOf(kChecks, draw), draw.Percent(50));
            break;
        case 2:
        case 3:
            user.TypeText(AnyOf(kEdits, draw), AnyOf(kTexts, draw));
            break;
        case 4:
            QueueAnswers(answers, draw);
            user.Press(kApply);
            break;
        case 5:
            user.MoveTo(draw.Between(-200, 1600), draw.Between(-200, 1200));
            break;
        case 6:
            // The menu item chosen again while the dialog is open.
            plugin.invoke(host.MainWindow());
            break;
        default:
            // Closed, then shown again from the menu.
            if (draw.Percent(50)) {
                user.Press(kClose);
            } else {
                user.CloseBox();
            }
            plugin.invoke(host.MainWindow());
            dialog = HostDialogs::Instance().Newest();
            break;
        }
    }
    if (!dialog) {
        return "the plug-in showed no dialog";
    }
    DialogUser user(dialog);
    QueueAnswers(answers, draw);
    user.Press(kApply);
    switch (draw.Between(0, 2)) {
    case 0:
        user.Press(kClose);
        break;
    case 1:
        user.CloseBox();
        break;
    default:
        // Left open: termination closes it.
        break;
    }
    return {};
}

std::string ValidationCycle::CheckAfterwards(const std::string& settingsBefore) const {
    StandInHost& host = StandInHost::Instance();
    if (host.Music().OpenFrameCount() != 0 || host.Music().ForeignFreeCount() != 0) {
        return "entry frames were left with the plug-in or freed twice";
    }
    if (host.Edit().IsOpen()) {
        return "an edit was left open";
    }
    if (HostDialogs::Instance().Newest()) {
        return "a dialog is still open after termination";
    }
    using namespace SettingsFileModel;
    const std::string saved = TemporaryFolder::ReadBytes(settingsFolder_ / kSettingsFileName);
    const std::vector<Pair> pairs = PairsOf(saved);
    if (!IsWellFormed(saved) || !HoldsEveryOwnKey(pairs)) {
        return "the settings file is not well formed or lacks a key of the plug-in";
    }
    if (ForeignLines(pairs) != ForeignLines(PairsOf(settingsBefore))) {
        return "a line of another program in the settings file was lost or changed";
    }
    return {};
}

std::string ValidationCycle::Run(std::uint32_t seed) {
    SeededDraw draw(seed);
    StandInHost& host = StandInHost::Instance();
    host.Reset();
    host.KeepCalls(false);
    host.SetSettingsFolder(TemporaryFolder::WindowsPath(settingsFolder_));
    const std::string settingsBefore = SettingsFileText(draw);
    TemporaryFolder::WriteBytes(settingsFolder_ / kSettingsFileName, settingsBefore);
    try {
        ScoreFile::Apply(RandomDocument(seed).Json(), host);
    } catch (const ScoreError& error) {
        return std::string("the random document was refused: ") + error.what();
    }
    host.RegisterHostModule();
    HostMainWindow mainWindow;
    PluginModule plugin;
    std::string error;
    if (!plugin.Load(pluginPath_, error)) {
        return error;
    }
    StartPlugin(plugin, host);
    plugin.invoke(host.MainWindow());
    const std::string failure = UseDialog(plugin, draw);
    plugin.terminate();
    plugin.Unload();
    return failure.empty() ? CheckAfterwards(settingsBefore) : failure;
}
