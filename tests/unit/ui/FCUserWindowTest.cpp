#include "binding/PluginState.h"
#include "host/standin/HostDialogs.h"
#include "ui/DialogFixture.h"
#include "ui/FCCtrlButton.h"
#include "ui/FCCtrlEdit.h"
#include "ui/FCCtrlPopup.h"
#include "ui/FCCtrlStatic.h"
#include "ui/TestWindow.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr std::uint32_t kHostFloatingStateMessage = 0x036D;

class FCUserWindowTest : public DialogFixture {
protected:
    // The controls of a small window over the real template.
    void AddControls(TestWindow& window) {
        window.CreateButton(1)->SetCommandKind(1);
        window.CreateButton(2)->SetCommandKind(2);
        window.CreatePopup(102);
        window.CreateCheckbox(105);
        window.CreateEdit(107);
        window.CreateCheckbox(113);
    }

    LRESULT Send(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam = 0) {
        return SendMessageW(dialog, message, wParam, lParam);
    }

    static int Width(const RECT& rect) { return rect.right - rect.left; }
    static int Height(const RECT& rect) { return rect.bottom - rect.top; }
};

struct CommandCase {
    int item;
    std::int32_t commandKind; // given to the control with that ID; -1: leave the control as made
    bool commandsHandled;
    Log expected;
    LRESULT result;
};

TEST_F(FCUserWindowTest, CommandsAreRoutedByTheCommandKindOfTheControl) {
    const CommandCase cases[] = {
        {1, -1, false, {"Ok"}, 1},
        {2, -1, false, {"Cancel"}, 1},
        {113, 3, false, {"Close"}, 1},
        {113, 7, false, {}, 1},
        {102, -1, true, {"Command @102"}, 1},
        {107, -1, false, {"Command @107"}, 0},
        // The group boxes have no control object.
        {-1, -1, true, {"Command @none"}, 1},
        {-1, -1, false, {"Command @none"}, 0},
    };
    for (const CommandCase& c : cases) {
        TestWindow window;
        AddControls(window);
        window.allowClose = false;
        window.commandsHandled = c.commandsHandled;
        if (c.commandKind >= 0) {
            window.FindControl(static_cast<std::int16_t>(c.item))->SetCommandKind(c.commandKind);
        }
        const HWND dialog = Open(window);
        window.log.clear();
        const LRESULT result = Send(dialog, WM_COMMAND, MAKEWPARAM(c.item, BN_CLICKED),
                                    reinterpret_cast<LPARAM>(GetDlgItem(dialog, c.item)));
        EXPECT_EQ(window.log, c.expected) << "item " << c.item;
        EXPECT_EQ(result, c.result) << "item " << c.item;
    }
}

TEST_F(FCUserWindowTest, EveryNotificationOfAnOrdinaryControlIsACommand) {
    TestWindow window;
    AddControls(window);
    const FCString item("one");
    static_cast<FCCtrlPopup*>(window.FindControl(102))->AddItem(&item);
    Open(window);
    window.log.clear();
    DialogUser user = User(window);
    ASSERT_TRUE(user.SelectItem(102, 0));
    ASSERT_TRUE(user.TypeText(107, u"12"));
    ASSERT_TRUE(user.SetCheck(105, true));
    EXPECT_EQ(window.log, (Log{"Command @102", "Command @107", "Command @105"}));
}

struct CloseCase {
    const char* how;
    std::function<bool(DialogUser&)> act;
    std::int16_t closeReason;
};

TEST_F(FCUserWindowTest, OkCancelAndCloseEndTheDialogWithTheirReason) {
    const CloseCase cases[] = {
        {"Apply", [](DialogUser& user) { return user.Press(1); }, 1},
        {"Close button", [](DialogUser& user) { return user.Press(2); }, 0},
        {"close box", [](DialogUser& user) { return user.CloseBox(); }, 0},
        {"kind 3", [](DialogUser& user) { return user.Press(113); }, 2},
    };
    for (const CloseCase& c : cases) {
        host.ClearCalls();
        TestWindow window;
        AddControls(window);
        window.FindControl(113)->SetCommandKind(3);
        const HWND dialog = Open(window);
        DialogUser user = User(window);
        const std::string how = c.how;
        ASSERT_TRUE(c.act(user)) << how;
        EXPECT_EQ(window.GetCloseReason(), c.closeReason) << how;
        EXPECT_TRUE(window.IsClosed()) << how;
        EXPECT_EQ(window.GetWindowHandle(), nullptr) << how;
        EXPECT_EQ(window.GetDialogCallback(), nullptr) << how;
        EXPECT_FALSE(IsWindow(dialog)) << how;
        EXPECT_EQ(host.CallsTo("FX_EndDialog").size(), 1u) << how;
    }
}

TEST_F(FCUserWindowTest, AWindowThatRefusesToCloseStaysOpen) {
    TestWindow window;
    AddControls(window);
    window.allowClose = false;
    const HWND dialog = Open(window);
    User(window).CloseBox();
    EXPECT_FALSE(window.IsClosed());
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(window.GetWindowHandle(), dialog);
}

TEST_F(FCUserWindowTest, TheCloseMessageWhileClosedDoesNothing) {
    TestWindow window;
    AddControls(window);
    const HWND dialog = Open(window);
    User(window).Press(2);
    ASSERT_TRUE(window.IsClosed());
    window.log.clear();
    // A close that the host delivers late, after the window was closed.
    EXPECT_EQ(__FCUserWindow::DialogCallback(dialog, WM_CLOSE, 0, 0, &window), 0);
    EXPECT_EQ(window.log, (Log{"Cancel"}));
    EXPECT_EQ(host.CallsTo("FX_EndDialog").size(), 1u);
}

TEST_F(FCUserWindowTest, AHiddenDialogIsEndedAtClosingAndWithTheWindowObject) {
    HWND dialog = nullptr;
    {
        TestWindow window;
        dialog = Open(window);
        ShowWindow(dialog, SW_HIDE);
        window.CloseWindow();
        EXPECT_FALSE(IsWindow(dialog));

        dialog = Open(window);
        ShowWindow(dialog, SW_HIDE);
    }
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(HostDialogs::Instance().IsOpen(dialog));
}

TEST_F(FCUserWindowTest, OnlyRestoredResizesCountAndTheFirstReportsTheSizeAtCreation) {
    TestWindow window;
    const HWND dialog = Open(window);
    RECT client{};
    GetClientRect(dialog, &client);
    const int width = Width(client);
    const int height = Height(client);
    window.log.clear();
    Send(dialog, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    Send(dialog, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(2000, 1500));
    Send(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width + 10, height + 20));
    Send(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width + 1, height + 2));
    const auto size = [](int w, int h) { return std::to_string(w) + "x" + std::to_string(h); };
    EXPECT_EQ(
        window.log,
        (Log{"Resize " + size(width + 10, height + 20) + " from " + size(width, height),
             "Resize " + size(width + 1, height + 2) + " from " + size(width + 10, height + 20)}));
}

TEST_F(FCUserWindowTest, TheSizeQueryAnswersTheSizeAtCreation) {
    TestWindow window;
    const HWND dialog = Open(window);
    RECT rect{};
    GetWindowRect(dialog, &rect);
    MINMAXINFO sizes{};
    Send(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&sizes));
    EXPECT_EQ(sizes.ptMinTrackSize.x, Width(rect));
    EXPECT_EQ(sizes.ptMinTrackSize.y, Height(rect));
    EXPECT_EQ(sizes.ptMaxTrackSize.x, Width(rect));
    EXPECT_EQ(sizes.ptMaxTrackSize.y, Height(rect));
}

// Where the host puts the dialog of the template when nobody moves it.
RECT HostPlacement(HWND parent) {
    const DialogCallback nothing = [](HWND, std::uint32_t, WPARAM, LPARAM, void*) {
        return std::int32_t{0};
    };
    const HWND dialog = HostDialogs::Instance().Open(GetModuleHandleA("zrcalvex64.fxt"), 20128,
                                                     nothing, parent, nullptr);
    RECT rect{};
    GetWindowRect(dialog, &rect);
    HostDialogs::Instance().End(dialog);
    return rect;
}

TEST_F(FCUserWindowTest, WithoutARememberedPositionTheDialogStaysWhereTheHostPutIt) {
    const RECT expected = HostPlacement(MainWindow());
    TestWindow window;
    Open(window);
    const RECT rect = User(window).WindowRect();
    EXPECT_EQ(rect.left, expected.left);
    EXPECT_EQ(rect.top, expected.top);
    EXPECT_EQ(Width(rect), Width(expected));
    EXPECT_EQ(Height(rect), Height(expected));
    EXPECT_FALSE(window.GetPlacementValid());
}

struct ResizeCase {
    int dx;
    int dy;
};

TEST_F(FCUserWindowTest, ReopeningRestoresPositionAndSizeNeverBelowTheSizeAtCreation) {
    for (const ResizeCase c : {ResizeCase{-40, -30}, ResizeCase{50, 20}, ResizeCase{30, -10}}) {
        TestWindow window;
        AddControls(window);
        const HWND first = Open(window);
        const RECT created = User(window).WindowRect();
        ASSERT_TRUE(User(window).MoveTo(300, 200));
        SetWindowPos(first, nullptr, 0, 0, Width(created) + c.dx, Height(created) + c.dy,
                     SWP_NOMOVE | SWP_NOZORDER);
        User(window).Press(2);
        ASSERT_TRUE(window.IsClosed());

        Open(window);
        const RECT reopened = User(window).WindowRect();
        EXPECT_EQ(reopened.left, 300) << c.dx;
        EXPECT_EQ(reopened.top, 200) << c.dy;
        EXPECT_EQ(Width(reopened), Width(created) + std::max(c.dx, 0)) << c.dx;
        EXPECT_EQ(Height(reopened), Height(created) + std::max(c.dy, 0)) << c.dy;
        EXPECT_EQ(window.GetPlacementWidth(), static_cast<float>(Width(reopened)));
    }
}

TEST_F(FCUserWindowTest, ARememberedPositionWithoutSizeMovesOnly) {
    TestWindow window;
    window.SetPlacementValid(true);
    window.SetPlacementLeft(-1);
    window.SetPlacementTop(-1);
    window.ClearPlacementSizeValid();
    const RECT expected = HostPlacement(MainWindow());
    Open(window);
    const RECT rect = User(window).WindowRect();
    EXPECT_EQ(rect.left, -1);
    EXPECT_EQ(rect.top, -1);
    EXPECT_EQ(Width(rect), Width(expected));
    EXPECT_EQ(Height(rect), Height(expected));
}

struct OffScreenCase {
    float left;
    float top;
    bool kept;
};

TEST_F(FCUserWindowTest, ARememberedPositionOutOfSightIsForgotten) {
    // The desktop is 1920 x 1080 from 0, 0; a window that would not show on it at all stays
    // where the host put it. Positions beyond any integer must not be converted on the way.
    const RECT placed = HostPlacement(MainWindow());
    const float width = static_cast<float>(Width(placed));
    const OffScreenCase cases[] = {
        {1919.0f, 1079.0f, true},        {1.0f - width, 0.0f, true},
        {1920.0f, 0.0f, false},          {-width, 0.0f, false},
        {0.0f, 1080.0f, false},          {2147483647.0f, 2147483647.0f, false},
        {-2147483648.0f, 100.0f, false}, {1.0e30f, -1.0e30f, false},
        {std::nanf(""), 0.0f, false},
    };
    for (const OffScreenCase& c : cases) {
        TestWindow window;
        window.SetPlacementValid(true);
        window.SetPlacementLeft(c.left);
        window.SetPlacementTop(c.top);
        window.ClearPlacementSizeValid();
        Open(window);
        const RECT rect = User(window).WindowRect();
        EXPECT_EQ(window.GetPlacementValid(), c.kept) << c.left << ", " << c.top;
        EXPECT_EQ(rect.left, c.kept ? static_cast<LONG>(c.left) : placed.left) << c.left;
        EXPECT_EQ(rect.top, c.kept ? static_cast<LONG>(c.top) : placed.top) << c.top;
        window.CloseWindow();
    }
}

TEST_F(FCUserWindowTest, APlacementAppliedAtCreationIsAppliedAgainAtTheFirstShowOnly) {
    TestWindow window;
    window.SetPlacementValid(true);
    window.SetPlacementLeft(250);
    window.SetPlacementTop(150);
    // The system moves the window after its initialisation, before showing it.
    window.afterInit = [](HWND dialog) {
        SetWindowPos(dialog, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    };
    const HWND dialog = Open(window);
    EXPECT_EQ(User(window).WindowRect().left, 250);
    EXPECT_EQ(User(window).WindowRect().top, 150);
    ASSERT_TRUE(User(window).MoveTo(20, 30));
    ShowWindow(dialog, SW_HIDE);
    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(User(window).WindowRect().left, 20);
    EXPECT_EQ(User(window).WindowRect().top, 30);
}

TEST_F(FCUserWindowTest, RecordPlacementWithoutAWindowKeepsWhatWasRemembered) {
    TestWindow window;
    window.SetPlacementValid(true);
    window.SetPlacementLeft(12);
    window.SetPlacementTop(34);
    EXPECT_FALSE(window.RecordPlacement());
    EXPECT_EQ(window.GetPlacementLeft(), 12);
    EXPECT_EQ(window.GetPlacementTop(), 34);
    EXPECT_FALSE(window.GetPlacementSizeValid());
}

struct SyncCase {
    const char* trigger;
    UINT message;
    WPARAM wParam;
};

TEST_F(FCUserWindowTest, TheDialogFollowsTheEnabledStateOfTheHostsTopLevelWindow) {
    const SyncCase cases[] = {{"activation", WM_ACTIVATE, WA_ACTIVE},
                              {"position change", WM_WINDOWPOSCHANGING, 0},
                              {"host frame message", kHostFloatingStateMessage, 0}};
    // The host names a child of its main window; the dialog follows the main window.
    const HWND child = CreateWindowExW(0, AsPlatformText(u"Static"), nullptr, WS_CHILD, 0, 0, 10,
                                       10, MainWindow(), nullptr, nullptr, nullptr);
    host.SetMainWindow(child);
    for (const SyncCase& c : cases) {
        TestWindow window;
        const HWND dialog = Open(window);
        WINDOWPOS position{};
        const LPARAM lParam = reinterpret_cast<LPARAM>(&position);
        for (const bool hostEnabled : {false, true}) {
            EnableWindow(MainWindow(), hostEnabled);
            Send(dialog, c.message, c.wParam, lParam);
            EXPECT_EQ(IsWindowEnabled(dialog) != FALSE, hostEnabled) << c.trigger;
        }
    }
    DestroyWindow(child);
}

TEST_F(FCUserWindowTest, AHostWithoutACurrentWindowLeavesTheDialogEnabled) {
    TestWindow window;
    const HWND dialog = Open(window);
    host.SetMainWindow(nullptr);
    Send(dialog, kHostFloatingStateMessage, 0);
    EXPECT_TRUE(IsWindowEnabled(dialog));
}

struct MessageCase {
    UINT message;
    WPARAM wParam;
    Log expected;
};

TEST_F(FCUserWindowTest, TimerAndActivationReachTheirHandlers) {
    const MessageCase cases[] = {
        {WM_TIMER, 7, {"Timer 7"}},
        {WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), {"Activate"}},
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), {"Deactivate"}},
        {WM_USER, 0, {}},
    };
    TestWindow window;
    const HWND dialog = Open(window);
    for (const MessageCase& c : cases) {
        window.log.clear();
        EXPECT_EQ(Send(dialog, c.message, c.wParam), 0);
        EXPECT_EQ(window.log, c.expected) << c.message;
    }
}

NMLISTVIEW ListChange(UINT newState, UINT oldState) {
    NMLISTVIEW change{};
    change.hdr.code = LVN_ITEMCHANGED;
    change.iItem = 4;
    change.uChanged = LVIF_STATE;
    change.uNewState = newState;
    change.uOldState = oldState;
    return change;
}

TEST_F(FCUserWindowTest, CommonControlNotificationsReachTheirHandlers) {
    TestWindow window;
    AddControls(window);
    const HWND dialog = Open(window);
    NMUPDOWN step{};
    step.hdr.code = UDN_DELTAPOS;
    step.iDelta = -3;
    NMHDR doubleClick{};
    doubleClick.code = NM_DBLCLK;
    NMLISTVIEW selected = ListChange(LVIS_SELECTED, 0);
    NMLISTVIEW checked = ListChange(0x2000, 0x1000);
    NMLISTVIEW cleared = ListChange(0x1000, 0x2000);
    NMHDR unknown{};
    unknown.code = 12345;
    const struct {
        int item;
        NMHDR* header;
        Log expected;
    } cases[] = {
        {105, &step.hdr, {"UpDown -3 @105"}},
        {105, &doubleClick, {"Command @105"}},
        {102, &selected.hdr, {"ListSelect 4 @102"}},
        {102, &checked.hdr, {"ListCheck 4 on @102"}},
        {102, &cleared.hdr, {"ListCheck 4 off @102"}},
        {105, &unknown, {}},
        {103, &step.hdr, {}}, // an item without a control object
    };
    for (const auto& c : cases) {
        window.log.clear();
        EXPECT_EQ(Send(dialog, WM_NOTIFY, static_cast<WPARAM>(c.item),
                       reinterpret_cast<LPARAM>(c.header)),
                  0);
        EXPECT_EQ(window.log, c.expected) << c.item << " " << c.header->code;
    }
}

struct CaptionCase {
    std::uint32_t hostVersion;
    const char16_t* title;
    const char16_t* shown;
};

TEST_F(FCUserWindowTest, ASetTitleIsShownAndTheCaptionIsReadBackAtClosing) {
    const CaptionCase cases[] = {{HostAbi::kInterfaceVersion, nullptr, u"ZR Calvex"},
                                 {HostAbi::kInterfaceVersion, u"Größe \u20AC", u"Größe \u20AC"},
                                 // 8-bit text keeps the low byte of each code unit.
                                 {0x10000000, u"Größe \u20AC", u"Größe \u00AC"}};
    for (const CaptionCase& c : cases) {
        hostVersion = c.hostVersion;
        TestWindow window;
        if (c.title) {
            FCString title;
            title.SetUTF16(c.title);
            window.SetTitle(&title);
        }
        const HWND dialog = Open(window);
        char16_t caption[64] = {};
        GetWindowTextW(dialog, AsPlatformText(caption), 64);
        EXPECT_EQ(std::u16string(caption), c.shown);
        window.CloseWindow();
        EXPECT_EQ(std::u16string(window.GetTitle().GetUTF16()), c.shown);
    }
}

TEST_F(FCUserWindowTest, FactoriesAppendOwnedControlsWithTheirParent) {
    TestWindow window;
    FCControl* made[] = {window.CreateStatic(101), window.CreateEdit(107),
                         window.CreatePopup(102),  window.CreateCheckbox(105),
                         window.CreateButton(1),   window.CreateStatic(101)};
    ASSERT_EQ(window.GetCount(), 6);
    for (int index = 0; index < window.GetCount(); ++index) {
        EXPECT_EQ(window.GetItemAt(index), made[index]);
        EXPECT_EQ(made[index]->GetParent(), &window);
        EXPECT_EQ(made[index]->GetCommandKind(), 0);
    }
    EXPECT_EQ(window.FindControl(101), made[0]);
    EXPECT_EQ(window.FindControl(1), made[4]);
    EXPECT_EQ(window.FindControl(999), nullptr);
}

} // namespace
