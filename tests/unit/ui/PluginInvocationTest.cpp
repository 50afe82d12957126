#include "binding/PluginState.h"
#include "host/session/PluginDialogItems.h"
#include "host/standin/HostDialogs.h"
#include "hostinterface/PluginExports.h"
#include "platform/native/NativeUserScript.h"
#include "ui/CalvexDialogFixture.h"

#include <string>

namespace {

using namespace PluginDialogItems;

class PluginInvocationTest : public CalvexDialogFixture {
protected:
    std::size_t DialogCalls() const { return host.CallsTo("FX_Dialog").size(); }

    // The host's start-up of a newly loaded plug-in: the settings are the defaults again.
    static void Restart() {
        std::uint32_t flags = 0;
        FinaleExtensionInit(nullptr, &flags);
    }
};

TEST_F(PluginInvocationTest, TheFirstInvocationShowsTheDialogAsAModelessChildOfTheHostWindow) {
    Invoke();

    ASSERT_EQ(DialogCalls(), 1u);
    const HostCall call = host.CallsTo("FX_Dialog")[0];
    ASSERT_EQ(call.args.size(), 6u);
    EXPECT_EQ(call.args[0], 20128);
    EXPECT_EQ(call.args[2], 1) << "the host window as parent";
    EXPECT_EQ(call.args[3], 0);
    EXPECT_EQ(call.args[4], 1) << "the window object";
    EXPECT_EQ(call.args[5], HostAbi::kInterfaceVersion);
    EXPECT_EQ(GetParent(Dialog()), MainWindow());
    EXPECT_TRUE(User().IsUsable());
}

TEST_F(PluginInvocationTest, AnInvocationWhileTheDialogIsOpenOnlyBringsItToTheFront) {
    Invoke();
    const HWND dialog = Dialog();
    ASSERT_TRUE(User().SelectItem(kModePopup, 1));
    ShowWindow(dialog, SW_HIDE);
    SetActiveWindow(MainWindow());
    // The settings file is read once per load; a file written now must not be seen.
    WriteBytes(SettingsPath(),
               "ZRSTPOL_SPACINGMODE=2\r\nZRSTPOL_WINDOWX=5\r\nZRSTPOL_WINDOWY=5\r\n");
    // A later invocation's window is not used for the message boxes.
    const HWND otherWindow =
        CreateWindowExW(0, AsPlatformText(u"Static"), AsPlatformText(u"x"), WS_OVERLAPPEDWINDOW, 0,
                        0, 100, 100, nullptr, nullptr, nullptr, nullptr);

    EXPECT_EQ(FinaleExtensionInvoke(otherWindow), 0);

    EXPECT_EQ(DialogCalls(), 1u);
    EXPECT_EQ(Dialog(), dialog);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetActiveWindow(), dialog);
    // Shown already but behind the host's window: it comes to the front all the same.
    SetActiveWindow(MainWindow());
    Invoke();
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(DialogCalls(), 1u);
    EXPECT_EQ(User().Selection(kModePopup), 1) << "the values on screen stay";
    EXPECT_EQ(PluginSettings.spacingMode, 0);
    ASSERT_TRUE(User().Press(kApply));
    ASSERT_EQ(NativeMessageBoxLog().size(), 1u);
    EXPECT_EQ(NativeMessageBoxLog()[0].owner, MainWindow());
    DestroyWindow(otherWindow);
}

TEST_F(PluginInvocationTest, AStoredFileIsShownAtTheStoredPositionAndItsForeignKeysSurvive) {
    WriteBytes(SettingsPath(), "OTHER_PLUGIN=7\r\n"
                               "ZRSTPOL_WINDOWX=150\r\n"
                               "zrstpol_windowy=60\r\n"
                               "ZRSTPOL_SPACINGMODE=1\r\n"
                               "ZRSTPOL_SINGLERESTREFERENCE=6\r\n"
                               "ZRSTPOL_MMRESTSCALINGFACTOR=1.75\r\n"
                               "ZRSTPOL_USEMMDURATIONSPACING=0\r\n"
                               "LAST=x\r\n");
    Invoke();
    DialogUser user = User();
    EXPECT_EQ(user.WindowRect().left, 150);
    EXPECT_EQ(user.WindowRect().top, 60);
    EXPECT_EQ(user.Selection(kModePopup), 1);
    EXPECT_EQ(user.Selection(kReferenceMeasurePopup), 4);
    EXPECT_EQ(user.Text(kFactorEdit), u"1.75");
    EXPECT_FALSE(user.IsChecked(kDurationsCheck));
    EXPECT_EQ(user.Text(kWidthEdit), u"480") << "a missing key keeps its default";

    Terminate();

    EXPECT_EQ(ReadBytes(SettingsPath()), "OTHER_PLUGIN=7\r\n"
                                         "ZRSTPOL_WINDOWX=150\r\n"
                                         "zrstpol_windowy=60\r\n"
                                         "ZRSTPOL_SPACINGMODE=1\r\n"
                                         "ZRSTPOL_SINGLERESTREFERENCE=6\r\n"
                                         "ZRSTPOL_MMRESTSCALINGFACTOR=1.750000\r\n"
                                         "ZRSTPOL_USEMMDURATIONSPACING=0\r\n"
                                         "LAST=x\r\n"
                                         "ZRSTPOL_PROCESSINGMODE=0\r\n"
                                         "ZRSTPOL_USESINGLERESTSPACING=1\r\n"
                                         "ZRSTPOL_DEFAULTSINGLEWIDTH=480\r\n"
                                         "ZRSTPOL_USEMMRESTSPACING=1\r\n"
                                         "ZRSTPOL_MMRESTREFERENCE=2\r\n");
}

TEST_F(PluginInvocationTest, StoredValuesOutsideTheListsAreShownAndStoredAsTheDefaults) {
    WriteBytes(SettingsPath(), "ZRSTPOL_PROCESSINGMODE=7\r\n"
                               "ZRSTPOL_SINGLERESTREFERENCE=-2147483648\r\n"
                               "ZRSTPOL_MMRESTREFERENCE=2147483647\r\n");
    Invoke();
    // Scope 0, a reference of 4 quarter notes (item 2) and one of 2 measures (item 0).
    EXPECT_EQ(User().Selection(104), 0);
    EXPECT_EQ(User().Selection(kReferenceMeasurePopup), 2);
    EXPECT_EQ(User().Selection(115), 0);
    ASSERT_TRUE(User().Press(kClose));
    EXPECT_EQ(PluginSettings.processingMode, 0);
    EXPECT_EQ(PluginSettings.singleRestReference, 4);
    EXPECT_EQ(PluginSettings.mmRestReference, 2);
}

TEST_F(PluginInvocationTest, TerminationWhileOpenWritesTheValuesOnScreenAndTheNextRunShowsThem) {
    WriteBytes(SettingsPath(), "OTHER_PLUGIN=1\r\n");
    Invoke();
    ASSERT_TRUE(User().SelectItem(kModePopup, 1));
    ASSERT_TRUE(User().TypeText(kWidthEdit, u"600"));
    ASSERT_TRUE(User().MoveTo(40, 50));
    const HWND dialog = Dialog();

    Terminate();

    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(host.CallsTo("FX_EndDialog").size(), 1u);
    EXPECT_EQ(ReadBytes(SettingsPath()), "OTHER_PLUGIN=1\r\n"
                                         "ZRSTPOL_WINDOWX=40\r\n"
                                         "ZRSTPOL_WINDOWY=50\r\n"
                                         "ZRSTPOL_PROCESSINGMODE=0\r\n"
                                         "ZRSTPOL_SPACINGMODE=1\r\n"
                                         "ZRSTPOL_USESINGLERESTSPACING=1\r\n"
                                         "ZRSTPOL_SINGLERESTREFERENCE=4\r\n"
                                         "ZRSTPOL_DEFAULTSINGLEWIDTH=600\r\n"
                                         "ZRSTPOL_USEMMRESTSPACING=1\r\n"
                                         "ZRSTPOL_MMRESTSCALINGFACTOR=1.300000\r\n"
                                         "ZRSTPOL_USEMMDURATIONSPACING=1\r\n"
                                         "ZRSTPOL_MMRESTREFERENCE=2\r\n");

    Restart();
    Invoke();
    EXPECT_EQ(DialogCalls(), 2u) << "a new dialog after termination";
    EXPECT_EQ(User().Selection(kModePopup), 1);
    EXPECT_EQ(User().Text(kWidthEdit), u"600");
    EXPECT_EQ(User().WindowRect().left, 40);
    EXPECT_EQ(User().WindowRect().top, 50);
}

TEST_F(PluginInvocationTest, ADialogClosedBeforeTerminationIsNotClosedAgain) {
    Invoke();
    ASSERT_TRUE(User().MoveTo(300, 310));
    ASSERT_TRUE(User().Press(kClose));

    Terminate();

    EXPECT_TRUE(
        ReadBytes(SettingsPath()).starts_with("ZRSTPOL_WINDOWX=300\r\nZRSTPOL_WINDOWY=310\r\n"));
    EXPECT_EQ(host.CallsTo("FX_EndDialog").size(), 1u);
}

// Only a visible dialog is closed at termination; a hidden one keeps what its last Apply
// stored, position and values alike.
TEST_F(PluginInvocationTest, AHiddenDialogAtTerminationLeavesWhatTheLastApplyStored) {
    Invoke();
    const HWND dialog = Dialog();
    ASSERT_TRUE(User().SelectItem(kModePopup, 1));
    ASSERT_TRUE(User().MoveTo(70, 80));
    ASSERT_TRUE(User().Press(kApply));
    ASSERT_TRUE(User().SelectItem(kModePopup, 0));
    ASSERT_TRUE(User().MoveTo(300, 310));
    ShowWindow(dialog, SW_HIDE);

    Terminate();

    const std::string file = ReadBytes(SettingsPath());
    EXPECT_TRUE(file.starts_with("ZRSTPOL_WINDOWX=70\r\nZRSTPOL_WINDOWY=80\r\n")) << file;
    EXPECT_NE(file.find("ZRSTPOL_SPACINGMODE=1\r\n"), std::string::npos) << file;
    EXPECT_FALSE(IsWindow(dialog)) << "the dialog ends with its object";
}

TEST_F(PluginInvocationTest, TerminationBeforeAnyInvocationWritesNothing) {
    Terminate();
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    EXPECT_TRUE(host.Calls().empty());
}

} // namespace
