#include "host/standin/HostDialogs.h"
#include "host/model/HostMeasurement.h"
#include "host/session/DialogUser.h"
#include "host/standin/HostFunctions.h"
#include "host/standin/HostMainWindow.h"
#include "support/HostFixture.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kVersion = HostAbi::kInterfaceVersion;
constexpr std::int16_t kDialogID = 20128;

struct Heard {
    HWND window;
    std::uint32_t message;
    WPARAM wParam;
    LPARAM lParam;
};

// A plug-in callback that only writes down what it hears.
struct Listener {
    std::vector<Heard> heard;

    static std::int32_t Callback(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam,
                                 void* object) {
        static_cast<Listener*>(object)->heard.push_back({window, message, wParam, lParam});
        return message == WM_COMMAND ? 7 : 0;
    }

    std::vector<std::uint32_t> Messages() const {
        std::vector<std::uint32_t> messages;
        for (const Heard& h : heard) {
            messages.push_back(h.message);
        }
        return messages;
    }
};

class HostDialogsTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        mainWindow = std::make_unique<HostMainWindow>();
    }

    void TearDown() override {
        HostDialogs::Instance().Reset();
        mainWindow.reset();
        HostFixture::TearDown();
    }

    // The plug-in's dialog as the host shows it, its messages going to the listener.
    HWND OpenDialog() {
        EXPECT_EQ(
            FX_Dialog(kDialogID, &Listener::Callback, mainWindow->Handle(), 0, &listener, kVersion),
            1);
        return HostDialogs::Instance().Newest();
    }

    std::unique_ptr<HostMainWindow> mainWindow;
    Listener listener;
};

std::vector<int> ChildIDs(HWND dialog) {
    std::vector<int> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ids.push_back(GetDlgCtrlID(child));
    }
    return ids;
}

TEST_F(HostDialogsTest, FXDialogShowsThePluginsTemplateAndReturnsAtOnce) {
    const HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetParent(dialog), mainWindow->Handle());
    DialogUser user(dialog);
    EXPECT_EQ(user.Text(101), u"Spacing M&ode:");
    EXPECT_EQ(user.Text(2), u"&Close");
    // 19 items in template order; the second group box has the same ID as the first.
    EXPECT_EQ(ChildIDs(dialog), (std::vector<int>{101, 102, 103, 104, -1, 105, 106, 107, 108, 109,
                                                  -1, 110, 112, 111, 113, 114, 115, 1, 2}));
    ASSERT_FALSE(listener.heard.empty());
    EXPECT_EQ(listener.heard[0].message, WM_INITDIALOG);
    EXPECT_EQ(listener.heard[0].window, dialog);
}

TEST_F(HostDialogsTest, EveryMessageReachesTheCallbackWithTheWindowObject) {
    const HWND dialog = OpenDialog();
    listener.heard.clear();
    DialogUser user(dialog);
    ASSERT_TRUE(user.Press(1));
    EXPECT_EQ(SendMessageW(dialog, WM_TIMER, 3, 0), 0);
    EXPECT_EQ(SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), 0), 7);
    // The host leaves the close box to the plug-in and reports it handled.
    EXPECT_EQ(SendMessageW(dialog, WM_CLOSE, 0, 0), TRUE);
    EXPECT_EQ(listener.Messages(),
              (std::vector<std::uint32_t>{WM_COMMAND, WM_TIMER, WM_COMMAND, WM_CLOSE}));
    EXPECT_EQ(listener.heard[0].wParam, MAKEWPARAM(1, BN_CLICKED));
    EXPECT_EQ(listener.heard[0].lParam, reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1)));
    EXPECT_TRUE(IsWindow(dialog)) << "only the plug-in ends its dialog";
}

TEST_F(HostDialogsTest, FXEndDialogDestroysOnlyTheHostsDialogs) {
    const HWND dialog = OpenDialog();
    EXPECT_EQ(FX_EndDialog(mainWindow->Handle(), kVersion), 0);
    listener.heard.clear();
    EXPECT_EQ(FX_EndDialog(dialog, kVersion), 1);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(listener.Messages(), (std::vector<std::uint32_t>{WM_DESTROY}));
    EXPECT_EQ(FX_EndDialog(dialog, kVersion), 0);
    EXPECT_EQ(HostDialogs::Instance().Newest(), nullptr);
}

TEST_F(HostDialogsTest, AMissingTemplateOrCallbackOpensNothing) {
    EXPECT_EQ(FX_Dialog(4242, &Listener::Callback, nullptr, 0, &listener, kVersion), 0);
    EXPECT_EQ(FX_Dialog(kDialogID, nullptr, nullptr, 0, &listener, kVersion), 0);
    EXPECT_EQ(HostDialogs::Instance().Newest(), nullptr);
    EXPECT_TRUE(listener.heard.empty());
}

TEST_F(HostDialogsTest, ADialogEndedDuringItsCreationLeavesNothingOpen) {
    const DialogCallback endAtOnce = [](HWND window, std::uint32_t message, WPARAM, LPARAM, void*) {
        if (message == WM_INITDIALOG) {
            FX_EndDialog(window, kVersion);
        }
        return std::int32_t{0};
    };
    EXPECT_EQ(FX_Dialog(kDialogID, endAtOnce, nullptr, 0, nullptr, kVersion), 0);
    EXPECT_EQ(HostDialogs::Instance().Newest(), nullptr);
}

struct ValueCase {
    int item;
    std::int16_t kind;
    std::int32_t value;
    std::int32_t readBack;
};

TEST_F(HostDialogsTest, ItemValuesByKind) {
    const HWND dialog = OpenDialog();
    for (const char* item : {"a", "b", "c"}) {
        SendDlgItemMessageA(dialog, 102, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    const ValueCase cases[] = {
        {102, 0, 2, 2},
        {102, 0, 0, 0},
        {102, 0, 4, 0},
        {105, 1, 1, 1},
        {105, 1, 0, 0},
        {107, 3, -42, -42},
        {107, 3, 2147483647, 2147483647},
    };
    for (const ValueCase& c : cases) {
        EXPECT_EQ(
            FX_SetDlgItemVal(dialog, static_cast<std::int16_t>(c.item), c.kind, c.value, kVersion),
            1);
        EXPECT_EQ(FX_GetDlgItemVal(dialog, static_cast<std::int16_t>(c.item), c.kind, kVersion),
                  c.readBack)
            << c.item << " " << c.value;
    }
    EXPECT_EQ(DialogUser(dialog).Selection(102), -1);
    EXPECT_EQ(DialogUser(dialog).Text(107), u"2147483647");
    EXPECT_EQ(FX_SetDlgItemVal(dialog, 107, 2, 5, kVersion), 0);
    EXPECT_EQ(FX_GetDlgItemVal(dialog, 999, 3, kVersion), 0);
}

struct FormatCase {
    HostUnit unit;
    double evpus;
    const char16_t* text;
};

TEST(HostMeasurementTest, LengthsAreShownInTheUnit) {
    const FormatCase cases[] = {
        {HostUnit::EVPUs, 480, u"480"},       {HostUnit::EVPUs, 12.5, u"12.5"},
        {HostUnit::Inches, 288, u"1"},        {HostUnit::Inches, 480, u"1.6667"},
        {HostUnit::Centimeters, 113.4, u"1"}, {HostUnit::Points, 250, u"62.5"},
        {HostUnit::Picas, 72, u"1p6"},        {HostUnit::Picas, -72, u"-1p6"},
        {HostUnit::Picas, -24, u"-0p6"},      {HostUnit::Picas, 0, u"0p0"},
        {HostUnit::Spaces, 36, u"1.5"},       {HostUnit::Millimeters, 11.34, u"1"},
        {HostUnit::EVPUs, -0.00001, u"0"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(HostMeasurement::Format(c.evpus, c.unit), c.text)
            << static_cast<int>(c.unit) << " " << c.evpus;
    }
}

TEST(HostMeasurementTest, TypedLengthsAreReadInTheUnit) {
    const FormatCase cases[] = {
        {HostUnit::Inches, 432, u"1,5"}, {HostUnit::Inches, 576, u" 2 inches"},
        {HostUnit::Picas, 72, u"1p6"},   {HostUnit::Picas, -72, u"-1p6"},
        {HostUnit::Picas, 96, u"2"},     {HostUnit::Centimeters, 226.8, u"2"},
        {HostUnit::EVPUs, -3, u"-3"},    {HostUnit::EVPUs, 0, u"abc"},
        {HostUnit::Points, 2, u"0.5.7"}, {HostUnit::Millimeters, 0, u""},
    };
    for (const FormatCase& c : cases) {
        EXPECT_DOUBLE_EQ(HostMeasurement::Parse(c.text, c.unit), c.evpus)
            << static_cast<int>(c.unit);
    }
}

TEST_F(HostDialogsTest, MeasurementsAreShownAndReadInTheHostsCurrentUnit) {
    const HWND dialog = OpenDialog();
    HostDialogs::Instance().SetUnit(HostUnit::Picas);
    EXPECT_EQ(FX_SetDlgItemUser(dialog, 107, 0, 480, kVersion), 1);
    EXPECT_EQ(DialogUser(dialog).Text(107), u"10p0");
    ASSERT_TRUE(DialogUser(dialog).TypeText(107, u"10p3"));
    double evpus = 0;
    EXPECT_EQ(FX_GetDlgItemUser(dialog, 107, 0, &evpus, kVersion), 1);
    EXPECT_EQ(evpus, 492);
    EXPECT_EQ(FX_GetDlgItemUser(dialog, 107, 0, nullptr, kVersion), 0);
    EXPECT_EQ(FX_GetDlgItemUser(dialog, 999, 0, &evpus, kVersion), 0);
}

TEST_F(HostDialogsTest, StringsRespectTheCapacityAndAreAlwaysTerminated) {
    const HWND dialog = OpenDialog();
    ASSERT_EQ(FX_SetDlgString(dialog, 107, "Hello", kVersion), 1);
    char narrow[8];
    std::memset(narrow, 'x', sizeof narrow);
    EXPECT_EQ(FX_GetDlgString(dialog, 107, narrow, 3, kVersion), 1);
    EXPECT_STREQ(narrow, "He");
    EXPECT_EQ(narrow[3], 'x');
    EXPECT_EQ(FX_GetDlgString(dialog, 107, narrow, 0, kVersion), 0);
    EXPECT_EQ(narrow[0], 'H');
    EXPECT_EQ(FX_GetDlgString(dialog, 999, narrow, 8, kVersion), 0);
    EXPECT_STREQ(narrow, "");

    const std::u16string wide = u"Gr\u00F6\u00DFe \u20AC";
    ASSERT_EQ(FX_SetDlgString_UTF16(dialog, 107,
                                    reinterpret_cast<const std::uint16_t*>(wide.c_str()), kVersion),
              1);
    std::uint16_t units[16];
    std::fill(std::begin(units), std::end(units), 0xFFFF);
    EXPECT_EQ(FX_GetDlgString_UTF16(dialog, 107, units, 4, kVersion), 1);
    EXPECT_EQ(std::u16string(units, units + 4), (std::u16string{u'G', u'r', u'\u00F6', 0}));
    EXPECT_EQ(units[4], 0xFFFF);
    EXPECT_EQ(FX_GetDlgString_UTF16(dialog, 107, units, 16, kVersion), 1);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(units)), wide);
    EXPECT_EQ(FX_SetDlgString(dialog, 107, nullptr, kVersion), 0);
    EXPECT_EQ(FX_SetDlgString_UTF16(dialog, 107, nullptr, kVersion), 0);
}

TEST_F(HostDialogsTest, ItemFunctionsActOnlyOnTheHostsDialogs) {
    const HWND dialog = OpenDialog();
    const HWND other =
        CreateWindowExW(0, AsPlatformText(u"Static"), nullptr, WS_CHILD, 0, 0, 5, 5,
                        mainWindow->Handle(), reinterpret_cast<HMENU>(107), nullptr, nullptr);
    EXPECT_EQ(FX_EnableDlgItem(mainWindow->Handle(), 107, 0, kVersion), 0);
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_EQ(FX_SetDlgString(mainWindow->Handle(), 107, "x", kVersion), 0);
    EXPECT_EQ(FX_EnableDlgItem(dialog, 107, 0, kVersion), 1);
    EXPECT_FALSE(DialogUser(dialog).IsEnabled(107));
    EXPECT_EQ(FX_EnableDlgItem(dialog, 107, 1, kVersion), 1);
    EXPECT_TRUE(DialogUser(dialog).IsEnabled(107));
    EXPECT_EQ(FX_GetCurrentWindow(kVersion), mainWindow->Handle());
    DestroyWindow(other);
}

TEST_F(HostDialogsTest, TheUserCannotReachWhatIsDisabledHiddenOrMissing) {
    const HWND dialog = OpenDialog();
    SendDlgItemMessageA(dialog, 102, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("only"));
    DialogUser user(dialog);
    listener.heard.clear();
    EnableWindow(GetDlgItem(dialog, 105), FALSE);
    ShowWindow(GetDlgItem(dialog, 107), SW_HIDE);
    EXPECT_FALSE(user.SetCheck(105, true));
    EXPECT_FALSE(user.TypeText(107, u"1"));
    EXPECT_FALSE(user.Press(999));
    EXPECT_FALSE(user.SelectItem(102, 1)) << "there is no second item";
    EXPECT_TRUE(user.SetCheck(110, false)) << "already unticked: nothing to click";
    EnableWindow(dialog, FALSE);
    EXPECT_FALSE(user.Press(1)) << "the host shows a message box";
    EXPECT_FALSE(user.CloseBox());
    EXPECT_FALSE(user.MoveTo(5, 5));
    EXPECT_TRUE(listener.heard.empty());
    EXPECT_FALSE(user.IsChecked(105));
    EXPECT_EQ(user.Text(107), u"");
}

TEST_F(HostDialogsTest, TheUsersActionsArriveAsTheControlsNotifications) {
    const HWND dialog = OpenDialog();
    SendDlgItemMessageA(dialog, 104, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a"));
    SendDlgItemMessageA(dialog, 104, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b"));
    DialogUser user(dialog);
    listener.heard.clear();
    ASSERT_TRUE(user.SelectItem(104, 1));
    ASSERT_TRUE(user.SetCheck(113, true));
    ASSERT_TRUE(user.TypeText(111, u"1.5"));
    ASSERT_TRUE(user.MoveTo(100, 80));
    const std::vector<WPARAM> commands = {MAKEWPARAM(104, CBN_SELCHANGE),
                                          MAKEWPARAM(113, BN_CLICKED), MAKEWPARAM(111, EN_CHANGE)};
    std::vector<WPARAM> heardCommands;
    for (const Heard& h : listener.heard) {
        if (h.message == WM_COMMAND) {
            heardCommands.push_back(h.wParam);
        }
    }
    EXPECT_EQ(heardCommands, commands);
    EXPECT_EQ(listener.heard.back().message, WM_WINDOWPOSCHANGING);
    EXPECT_EQ(user.Selection(104), 1);
    EXPECT_EQ(user.ListItems(104), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_TRUE(user.IsChecked(113));
    EXPECT_EQ(user.Text(111), u"1.5");
    EXPECT_EQ(user.WindowRect().left, 100);
    EXPECT_EQ(user.WindowRect().top, 80);
}

} // namespace
