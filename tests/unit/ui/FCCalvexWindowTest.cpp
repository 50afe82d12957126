#include "ui/FCCalvexWindow.h"
#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "framework/core/FCUI.h"
#include "framework/data/FCMultiMeasureRestPrefs.h"
#include "host/session/PluginDialogItems.h"
#include "host/session/ScoreReport.h"
#include "host/standin/HostDialogs.h"
#include "platform/native/NativeUserScript.h"
#include "support/SettingsExpectations.h"
#include "ui/CalvexDialogFixture.h"
#include "ui/FCControl.h"

#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::u16string>;
using Items = std::set<int>;

using namespace PluginDialogItems;

// The items that are never disabled: both buttons, the mode and scope popups and their labels.
const Items kAlwaysEnabled = {1, 2, 101, 102, 103, 104};
const Items kOptionItems = {105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115};

const Texts kModes = {u"Redistribute Existing Rest Space", u"Respace Using New Values",
                      u"Redistribute Non-Rest Measures"};
const Texts kScopes = {u"Region in Current Score/Part", u"Full Score and All Parts",
                       u"All Parts Only"};
const Texts kQuarterNotes = {u"2 Quarter Notes", u"3 Quarter Notes", u"4 Quarter Notes",
                             u"5 Quarter Notes", u"6 Quarter Notes", u"7 Quarter Notes",
                             u"8 Quarter Notes"};
const Texts kMeasures = {u"2 Measures", u"3 Measures", u"4 Measures", u"5 Measures",
                         u"6 Measures", u"7 Measures", u"8 Measures"};

// One staff: a measure of music, an empty 4/4 measure and an empty 2/4 measure in one system.
std::string Score(bool selected, bool autoUpdate) {
    const std::string selection =
        selected ? R"(, "selection": {"firstSlot": 1, "lastSlot": 1, "firstMeasure": 1,
                     "lastMeasure": 3})"
                 : "";
    return std::string(R"({"staves": [{"id": 1}],
        "measures": [{"meter": {"beats": 4, "beatValue": 4}}, {},
                     {"meter": {"beats": 2, "beatValue": 4}}],
        "entries": [{"staff": 1, "measure": 1, "layer": 0, "notes": [1, 1, 1, 1]}],
        "preferences": {"multimeasureRests": {"autoUpdate": )") +
           (autoUpdate ? "true" : "false") + R"(}},
        "parts": [{"id": 0, "widths": [300, 300, 300], "systems": [{"first": 1, "next": 4}]}])" +
           selection + "}";
}

Items EnabledItems(const DialogUser& user, const Items& among) {
    Items enabled;
    for (const int item : among) {
        if (user.IsEnabled(item)) {
            enabled.insert(item);
        }
    }
    return enabled;
}

// Each popup lists its choices once, in order.
void ExpectEachPopupsList(const DialogUser& user) {
    EXPECT_EQ(user.ListItems(kModePopup), kModes);
    EXPECT_EQ(user.ListItems(kScopePopup), kScopes);
    EXPECT_EQ(user.ListItems(kReferenceMeasurePopup), kQuarterNotes);
    EXPECT_EQ(user.ListItems(kReferenceRestPopup), kMeasures);
}

bool AutoUpdateIsSet() {
    FCMultiMeasureRestPrefs prefs;
    EXPECT_TRUE(prefs.LoadFirst());
    return prefs.GetAutoUpdate();
}

class FCCalvexWindowTest : public CalvexDialogFixture {
protected:
    // Closes the dialog with its Close button and opens it again from the menu.
    void Reopen() {
        ASSERT_TRUE(User().Press(kClose));
        ASSERT_FALSE(User().IsOpen());
        Invoke();
        ASSERT_TRUE(User().IsOpen());
    }

    std::string Document() { return ScoreReport::Describe(host.Document()); }
};

TEST_F(FCCalvexWindowTest, ControlsAreCreatedInTemplateOrderWithTheirClassesAndCommands) {
    struct Expected {
        int id;
        std::int32_t kind;
        std::int32_t commandKind;
    };
    // Kinds: 4 button, 5 check box, 6 edit, 7 static, 8 popup.
    const Expected expected[] = {{1, 4, 1},   {2, 4, 2},   {101, 7, 0}, {102, 8, 0}, {103, 7, 0},
                                 {104, 8, 0}, {105, 5, 0}, {106, 7, 0}, {107, 6, 0}, {108, 7, 0},
                                 {109, 8, 0}, {110, 5, 0}, {112, 7, 0}, {111, 6, 0}, {113, 5, 0},
                                 {114, 7, 0}, {115, 8, 0}};
    FCUI ui(MainWindow());
    FCCalvexWindow window(&ui);
    window.CreateControls();

    ASSERT_EQ(window.GetCount(), 17);
    for (int index = 0; index < 17; ++index) {
        const auto* control = static_cast<FCControl*>(window.GetItemAt(index));
        EXPECT_EQ(control->GetControlID(), expected[index].id) << "control " << index;
        EXPECT_EQ(control->GetKind(), expected[index].kind) << "control " << index;
        EXPECT_EQ(control->GetCommandKind(), expected[index].commandKind) << "control " << index;
        EXPECT_EQ(control->GetParent(), &window) << "control " << index;
    }
    EXPECT_EQ(window.GetResourceID(), 20128);
    EXPECT_EQ(window.GetUI(), &ui);
}

TEST_F(FCCalvexWindowTest, AFirstRunShowsTheDefaultsWithOnlyTheOptionsInUseEnabled) {
    Invoke();
    DialogUser user = User();
    ASSERT_TRUE(user.IsUsable());

    ExpectEachPopupsList(user);
    EXPECT_EQ(user.Selection(kModePopup), 0);
    EXPECT_EQ(user.Selection(kScopePopup), 0);
    EXPECT_EQ(user.Selection(kReferenceMeasurePopup), 2) << "4 Quarter Notes";
    EXPECT_EQ(user.Selection(kReferenceRestPopup), 0) << "2 Measures";
    EXPECT_TRUE(user.IsChecked(kSimpleCheck));
    EXPECT_TRUE(user.IsChecked(kMultimeasureCheck));
    EXPECT_TRUE(user.IsChecked(kDurationsCheck));
    EXPECT_EQ(user.Text(kWidthEdit), u"480");
    EXPECT_EQ(user.Text(kFactorEdit), u"1.30");
    EXPECT_EQ(EnabledItems(user, kAlwaysEnabled), kAlwaysEnabled);
    EXPECT_EQ(EnabledItems(user, kOptionItems), (Items{105, 110, 111, 112, 113}));
    // Nothing is stored or written before the user applies or closes.
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
}

TEST_F(FCCalvexWindowTest, TheDefaultWidthIsShownInTheHostsMeasurementUnit) {
    struct UnitCase {
        HostUnit unit;
        std::u16string shown;
    };
    const UnitCase cases[] = {
        {HostUnit::EVPUs, u"480"}, {HostUnit::Inches, u"1.6667"}, {HostUnit::Points, u"120"}};
    Invoke();
    for (const UnitCase& c : cases) {
        ASSERT_TRUE(User().Press(kClose));
        HostDialogs::Instance().SetUnit(c.unit);
        Invoke();
        EXPECT_EQ(User().Text(kWidthEdit), c.shown);
        // What the unit shows reads back as the same whole EVPUs.
        EXPECT_EQ(PluginSettings.defaultSingleWidth, 480);
    }
}

TEST_F(FCCalvexWindowTest, TheModeAndTheTwoMainCheckBoxesDecideWhichOptionsAreEnabled) {
    struct EnablingCase {
        int mode;
        bool single;
        bool multi;
        Items enabledOptions;
    };
    const EnablingCase cases[] = {
        {0, true, true, {105, 110, 111, 112, 113}},
        {0, false, false, {105, 110}},
        {1, true, true, {105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115}},
        {1, true, false, {105, 106, 107, 108, 109, 110}},
        {1, false, true, {105, 110, 111, 112, 113, 114, 115}},
        {2, true, true, {}},
        {2, false, false, {}},
    };
    Invoke();
    DialogUser user = User();
    for (const EnablingCase& c : cases) {
        ASSERT_TRUE(user.SelectItem(kModePopup, 0));
        ASSERT_TRUE(user.SetCheck(kSimpleCheck, c.single));
        ASSERT_TRUE(user.SetCheck(kMultimeasureCheck, c.multi));
        ASSERT_TRUE(user.SelectItem(kModePopup, c.mode));

        EXPECT_EQ(EnabledItems(user, kOptionItems), c.enabledOptions) << "mode " << c.mode;
        EXPECT_EQ(EnabledItems(user, kAlwaysEnabled), kAlwaysEnabled) << "mode " << c.mode;
        // A disabled check box keeps its state.
        EXPECT_EQ(user.IsChecked(kSimpleCheck), c.single) << "mode " << c.mode;
        EXPECT_EQ(user.IsChecked(kMultimeasureCheck), c.multi) << "mode " << c.mode;
    }
}

TEST_F(FCCalvexWindowTest, OnlyTheModePopupAndTheTwoMainCheckBoxesChangeTheEnabling) {
    Invoke();
    DialogUser user = User();
    // The mode changes on screen without telling the dialog; other items' commands must not
    // bring the enabling in line with it.
    SendDlgItemMessageW(Dialog(), kModePopup, CB_SETCURSEL, 2, 0);
    ASSERT_TRUE(user.SelectItem(kScopePopup, 1));
    ASSERT_TRUE(user.SetCheck(kDurationsCheck, false));
    ASSERT_TRUE(user.TypeText(kFactorEdit, u"1.5"));
    ASSERT_TRUE(user.SelectItem(kScopePopup, 0));
    EXPECT_EQ(EnabledItems(user, kOptionItems), (Items{105, 110, 111, 112, 113}));

    ASSERT_TRUE(user.SelectItem(kModePopup, 2));
    EXPECT_EQ(EnabledItems(user, kOptionItems), Items{});
    ASSERT_TRUE(user.SelectItem(kModePopup, 0));
    ASSERT_TRUE(user.SetCheck(kSimpleCheck, false));
    SendDlgItemMessageW(Dialog(), kModePopup, CB_SETCURSEL, 1, 0);
    ASSERT_TRUE(user.SetCheck(kMultimeasureCheck, false));
    EXPECT_EQ(EnabledItems(user, kOptionItems), (Items{105, 110}));
}

TEST_F(FCCalvexWindowTest, TheDefaultWidthIsRoundedAndHeldWithinItsRange) {
    struct WidthCase {
        HostUnit unit;
        std::u16string typed;
        std::int32_t stored;
        std::u16string shownAgain;
    };
    const WidthCase cases[] = {
        {HostUnit::EVPUs, u"50", 100, u"100"},
        {HostUnit::EVPUs, u"5000", 1000, u"1000"},
        {HostUnit::EVPUs, u"480.5", 481, u"481"},
        {HostUnit::EVPUs, u"480.49", 480, u"480"},
        {HostUnit::EVPUs, u"-700", 100, u"100"},
        {HostUnit::EVPUs, u"width", 100, u"100"},
        // Far beyond any whole number of EVPUs: still the largest width.
        {HostUnit::EVPUs, u"99999999999999999999999", 1000, u"1000"},
        {HostUnit::Inches, u"2", 576, u"2"},
        {HostUnit::Inches, u"0.25", 100, u"0.3472"},
    };
    for (std::size_t index = 0; index < std::size(cases); ++index) {
        const WidthCase& c = cases[index];
        HostDialogs::Instance().SetUnit(c.unit);
        Invoke();
        ASSERT_TRUE(User().SelectItem(kModePopup, 1));
        ASSERT_TRUE(User().TypeText(kWidthEdit, c.typed));
        ASSERT_TRUE(User().Press(kClose));
        EXPECT_EQ(PluginSettings.defaultSingleWidth, c.stored) << "case " << index;
        Invoke();
        EXPECT_EQ(User().Text(kWidthEdit), c.shownAgain) << "case " << index;
        ASSERT_TRUE(User().Press(kClose));
    }
}

TEST_F(FCCalvexWindowTest, TheScalingFactorIsHeldWithinItsRangeAndShownSoAfterReopening) {
    struct FactorCase {
        std::u16string typed;
        float stored;
        std::u16string shownAgain;
    };
    const FactorCase cases[] = {{u"2.5", 1.9f, u"1.90"},
                                {u"1,25", 1.25f, u"1.25"},
                                {u"abc", 1.1f, u"1.10"},
                                {u"0.5", 1.1f, u"1.10"},
                                {u"1.555", 1.555f, u"1.55"}};
    Invoke();
    for (const FactorCase& c : cases) {
        ASSERT_TRUE(User().TypeText(kFactorEdit, c.typed));
        // Apply stores the value; with nothing selected no pass runs and the dialog stays.
        ASSERT_TRUE(User().Press(kApply));
        EXPECT_FLOAT_EQ(PluginSettings.mmRestScalingFactor, c.stored);
        EXPECT_EQ(User().Text(kFactorEdit), c.typed) << "the typed text stays until reopening";
        Reopen();
        EXPECT_EQ(User().Text(kFactorEdit), c.shownAgain);
    }
    EXPECT_TRUE(host.Edit().RequestedTitles().empty());
}

TEST_F(FCCalvexWindowTest, ReopeningListsEachItemOnceAndShowsTheValuesLastStored) {
    enum class Closer { Button, CloseBox };
    for (const Closer closer : {Closer::Button, Closer::CloseBox}) {
        PluginSettings = PluginSettingsRecord::Defaults();
        Invoke();
        DialogUser user = User();
        ASSERT_TRUE(user.SelectItem(kModePopup, 1));
        ASSERT_TRUE(user.SelectItem(kScopePopup, 2));
        ASSERT_TRUE(user.SetCheck(kSimpleCheck, false));
        ASSERT_TRUE(user.SetCheck(kSimpleCheck, true));
        ASSERT_TRUE(user.SelectItem(kReferenceMeasurePopup, 4));
        ASSERT_TRUE(user.TypeText(kWidthEdit, u"512"));
        ASSERT_TRUE(user.SetCheck(kDurationsCheck, false));
        ASSERT_TRUE(user.SelectItem(kReferenceRestPopup, 6));
        ASSERT_TRUE(user.TypeText(kFactorEdit, u"1.45"));
        ASSERT_TRUE(user.SetCheck(kMultimeasureCheck, false));
        ASSERT_TRUE(closer == Closer::Button ? user.Press(kClose) : user.CloseBox());
        ASSERT_FALSE(user.IsOpen());

        ExpectSettings(PluginSettings, {2, 1, true, 6, 512, false, 1.45f, false, 8},
                       "after closing");

        Invoke();
        user = User();
        ExpectEachPopupsList(user);
        EXPECT_EQ(user.Selection(kModePopup), 1);
        EXPECT_EQ(user.Selection(kScopePopup), 2);
        EXPECT_TRUE(user.IsChecked(kSimpleCheck));
        EXPECT_EQ(user.Selection(kReferenceMeasurePopup), 4);
        EXPECT_EQ(user.Text(kWidthEdit), u"512");
        EXPECT_FALSE(user.IsChecked(kDurationsCheck));
        EXPECT_EQ(user.Selection(kReferenceRestPopup), 6);
        EXPECT_EQ(user.Text(kFactorEdit), u"1.45");
        EXPECT_FALSE(user.IsChecked(kMultimeasureCheck));
        EXPECT_EQ(EnabledItems(user, kOptionItems), (Items{105, 106, 107, 108, 109, 110}));
        ASSERT_TRUE(user.Press(kClose));
    }
}

TEST_F(FCCalvexWindowTest, ReopeningPutsTheDialogWhereItWasLastClosed) {
    Invoke();
    const RECT first = User().WindowRect();
    ASSERT_TRUE(User().MoveTo(140, 90));
    Reopen();
    const RECT again = User().WindowRect();
    EXPECT_EQ(again.left, 140);
    EXPECT_EQ(again.top, 90);
    EXPECT_EQ(again.right - again.left, first.right - first.left);
    EXPECT_EQ(again.bottom - again.top, first.bottom - first.top);
}

TEST_F(FCCalvexWindowTest, ApplyLeavesTheDialogOpenAndEachApplyIsAPassOfItsOwn) {
    LoadScore(Score(true, false));
    Invoke();
    DialogUser user = User();
    ASSERT_TRUE(user.SelectItem(kModePopup, 1));

    ASSERT_TRUE(user.Press(kApply));
    EXPECT_TRUE(user.IsUsable());
    EXPECT_NE(Document().find("widths: 300 480 "), std::string::npos) << Document();
    ASSERT_TRUE(user.TypeText(kWidthEdit, u"600"));
    ASSERT_TRUE(user.Press(kApply));
    EXPECT_TRUE(user.IsUsable());
    EXPECT_NE(Document().find("widths: 300 600 "), std::string::npos) << Document();
    EXPECT_EQ(host.Edit().CommittedTitles(), (Texts{u"Calvex", u"Calvex"}));

    // A pass that changes nothing (no linked parts to space) leaves no undo entry, only the
    // warning beep.
    ASSERT_TRUE(user.SelectItem(kScopePopup, 2));
    ASSERT_TRUE(user.Press(kApply));
    EXPECT_TRUE(user.IsUsable());
    EXPECT_EQ(host.Edit().CommittedTitles().size(), 2u);
    EXPECT_EQ(host.Edit().CancelledCount(), 1);
    EXPECT_EQ(NativeBeepLog(), std::vector<UINT>{0x30});
    EXPECT_TRUE(NativeMessageBoxLog().empty());
    EXPECT_EQ(HostApi::OpenEditCount(), 0);
}

// What the user sees of a message box.
struct Box {
    std::u16string caption;
    std::u16string text;
    UINT style;
    bool operator==(const Box&) const = default;
};

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

void PrintTo(const Box& box, std::ostream* out) {
    *out << "{\"" << Narrow(box.caption) << "\", \"" << Narrow(box.text) << "\", " << box.style
         << "}";
}

const Box kWrongCombination = {
    u"Incorrect Option Combination",
    u"The \"Redistribute Non-Rest Measures\" spacing mode only works in the \"Region in Current "
    u"Score/Part\" scope.\n\nPlease change scope or spacing mode and try again.",
    MB_ICONINFORMATION};
const Box kNoSelection = {u"Selection Required", u"Please select a region to space.",
                          MB_ICONINFORMATION};
const Box kAutoUpdate = {
    u"'Update Automatically' is SET",
    u"Multimeasure spacing changes will NOT work correctly if the 'Document "
    u"Options->Multimeasure Rests->Update Automatically' option is set!\n\nDo you want this "
    u"plug-in to turn OFF this document option and continue?",
    MB_YESNO};

struct ApplyCase {
    const char* name;
    int scope;
    int mode;
    bool selected;
    bool autoUpdate;
    bool multimeasure;
    int answer; // to the question; 0: none scripted
    std::vector<Box> boxes;
    bool passRuns;
};

void PrintTo(const ApplyCase& c, std::ostream* out) {
    *out << c.name;
}

class FCCalvexWindowApplyTest : public FCCalvexWindowTest,
                                public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(FCCalvexWindowApplyTest, ChecksTheChoicesAndAsksBeforeAPass) {
    const ApplyCase& c = GetParam();
    LoadScore(Score(c.selected, c.autoUpdate));
    Invoke();
    DialogUser user = User();
    ASSERT_TRUE(user.SetCheck(kMultimeasureCheck, c.multimeasure));
    ASSERT_TRUE(user.SelectItem(kScopePopup, c.scope));
    ASSERT_TRUE(user.SelectItem(kModePopup, c.mode));
    if (c.answer != 0) {
        NativeScriptMessageBoxAnswers({c.answer});
    }
    const std::string before = Document();

    ASSERT_TRUE(user.Press(kApply));

    std::vector<Box> boxes;
    for (const NativeMessageBox& box : NativeMessageBoxLog()) {
        boxes.push_back({box.caption, box.text, box.style});
        EXPECT_EQ(box.owner, MainWindow());
    }
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(host.Edit().RequestedTitles(), c.passRuns ? Texts{u"Calvex"} : Texts{});
    if (!c.passRuns) {
        EXPECT_EQ(Document(), before);
        EXPECT_EQ(AutoUpdateIsSet(), c.autoUpdate);
    }
    EXPECT_TRUE(user.IsUsable());
    // The values were stored before the checks.
    EXPECT_EQ(PluginSettings.processingMode, c.scope);
    EXPECT_EQ(PluginSettings.spacingMode, c.mode);
    EXPECT_EQ(PluginSettings.useMMRestSpacing, c.multimeasure);
}

constexpr int kYes = IDYES;
constexpr int kNo = IDNO;

INSTANTIATE_TEST_SUITE_P(
    Cases, FCCalvexWindowApplyTest,
    ::testing::Values(
        ApplyCase{
            "NonRestModeInTheFullScore", 1, 2, true, false, true, 0, {kWrongCombination}, false},
        ApplyCase{"NonRestModeInAllParts", 2, 2, false, true, true, 0, {kWrongCombination}, false},
        ApplyCase{"NoSelectionRedistributing", 0, 0, false, false, true, 0, {kNoSelection}, false},
        ApplyCase{"NoSelectionRespacing", 0, 1, false, true, true, 0, {kNoSelection}, false},
        ApplyCase{"NoSelectionNonRest", 0, 2, false, false, true, 0, {kNoSelection}, false},
        ApplyCase{
            "AutoUpdateDeclinedRedistributing", 0, 0, true, true, true, kNo, {kAutoUpdate}, false},
        ApplyCase{"AutoUpdateDeclinedRespacing", 0, 1, true, true, true, kNo, {kAutoUpdate}, false},
        ApplyCase{"AutoUpdateAccepted", 0, 1, true, true, true, kYes, {kAutoUpdate}, true},
        ApplyCase{"AutoUpdateInNonRestModeIsNotAsked", 0, 2, true, true, true, 0, {}, true},
        ApplyCase{
            "AutoUpdateWithoutMultimeasureRestsIsNotAsked", 0, 0, true, true, false, 0, {}, true},
        ApplyCase{"FullScoreNeedsNoSelection", 1, 0, false, false, true, 0, {}, true},
        ApplyCase{"AllPartsNeedNoSelection", 2, 1, false, false, true, 0, {}, true}),
    [](const ::testing::TestParamInfo<ApplyCase>& param) { return param.param.name; });

TEST_F(FCCalvexWindowTest, AnAcceptedQuestionLetsThePassTurnTheOptionOffInsideItsEdit) {
    LoadScore(Score(true, true));
    Invoke();
    NativeScriptMessageBoxAnswers({IDYES});
    ASSERT_TRUE(User().Press(kApply));
    EXPECT_FALSE(AutoUpdateIsSet());
    EXPECT_EQ(host.Edit().CommittedTitles(), Texts{u"Calvex"});
    // The option is off now: the next Apply asks nothing.
    ASSERT_TRUE(User().Press(kApply));
    EXPECT_EQ(NativeMessageBoxLog().size(), 1u);
}

} // namespace
