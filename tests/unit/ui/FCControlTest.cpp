#include "binding/PluginState.h"
#include "framework/core/MeasurementUnit.h"
#include "host/standin/HostDialogs.h"
#include "hostinterface/RecordBytes.h"
#include "ui/DialogFixture.h"
#include "ui/FCCtrlButton.h"
#include "ui/FCCtrlEdit.h"
#include "ui/FCCtrlPopup.h"
#include "ui/FCCtrlStatic.h"
#include "ui/TestWindow.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::u16string>;
using Args = std::vector<std::int64_t>;

constexpr std::int64_t kVersion = HostAbi::kInterfaceVersion;

FCString Text(const char16_t* units) {
    FCString text;
    text.SetUTF16(units);
    return text;
}

std::u16string Units(const FCString& text) {
    return text.GetUTF16();
}

class FCControlTest : public DialogFixture {
protected:
    TestWindow window;
    FCCtrlPopup* popup = window.CreatePopup(102);
    FCCtrlCheckbox* checkbox = window.CreateCheckbox(105);
    FCCtrlEdit* width = window.CreateEdit(107);
    FCCtrlEdit* factor = window.CreateEdit(111);
    FCCtrlStatic* label = window.CreateStatic(106);
    FCCtrlButton* close = window.CreateButton(2);

    void SetUp() override {
        DialogFixture::SetUp();
        close->SetCommandKind(2);
    }

    DialogUser User() const { return DialogFixture::User(window); }
    HWND OpenWindow() { return Open(window); }
    void CloseByUser() {
        ASSERT_TRUE(User().Press(2));
        ASSERT_TRUE(window.IsClosed());
    }
};

struct NameCase {
    std::function<FCControl*(__FCUserWindow&)> make;
    const char* className;
    std::int32_t kind;
    float defaultWidth;
};

TEST(FCControlClassTest, EachControlReportsItsClassKindAndDefaultSize) {
    const NameCase cases[] = {
        {[](__FCUserWindow& w) { return w.CreateStatic(1); }, "FCCtrlStatic", 7, 100},
        {[](__FCUserWindow& w) { return w.CreateEdit(1); }, "FCCtrlEdit", 6, 70},
        {[](__FCUserWindow& w) { return w.CreatePopup(1); }, "FCCtrlPopup", 8, 100},
        {[](__FCUserWindow& w) { return w.CreateCheckbox(1); }, "FCControl", 5, 100},
        {[](__FCUserWindow& w) { return w.CreateButton(1); }, "FCControl", 4, 60},
    };
    TestWindow window;
    const FCControl plain(1);
    for (const NameCase& c : cases) {
        FCControl* control = c.make(window);
        EXPECT_STREQ(control->ClassName(), c.className);
        EXPECT_EQ(control->GetKind(), c.kind) << c.className;
        EXPECT_EQ(control->GetDefaultWidth(), c.defaultWidth) << c.className;
        EXPECT_EQ(control->GetDefaultHeight(), 150) << c.className;
    }
    // Check boxes and buttons share the constant of their base, so they count as one class.
    EXPECT_FALSE(window.FindControl(1)->IsSameClass(&plain));
    EXPECT_TRUE(static_cast<FCControl*>(window.GetItemAt(3))->IsSameClass(window.GetItemAt(4)));
    EXPECT_TRUE(static_cast<FCControl*>(window.GetItemAt(4))->IsSameClass(&plain));
}

TEST_F(FCControlTest, APopupCountsFromZeroAndTheHostFromOne) {
    for (const char16_t* item : {u"a", u"b", u"c"}) {
        const FCString text = Text(item);
        popup->AddItem(&text);
    }
    OpenWindow();
    host.ClearCalls();
    popup->SetSelectedItem(2);
    EXPECT_EQ(host.CallsTo("FX_SetDlgItemVal").at(0).args, (Args{1, 102, 0, 3, kVersion}));
    EXPECT_EQ(User().Selection(102), 2);
    EXPECT_EQ(popup->GetSelectedItem(), 2);
    popup->SetSelectedItem(-1);
    EXPECT_EQ(User().Selection(102), -1);
    // The host answers 0 for no choice.
    EXPECT_EQ(popup->GetSelectedItem(), -1);
    EXPECT_EQ(host.CallsTo("FX_GetDlgItemVal").back().args, (Args{1, 102, 0, kVersion}));
}

TEST_F(FCControlTest, APopupReadsNoChoiceWhenTheHostLacksTheFunction) {
    host.HideFunction("FX_GetDlgItemVal");
    const FCString item = Text(u"a");
    popup->AddItem(&item);
    OpenWindow();
    ASSERT_TRUE(User().SelectItem(102, 0));
    EXPECT_EQ(popup->GetSelectedItem(), -1);
}

TEST_F(FCControlTest, PendingItemsAreShownAfterAResetAtEveryCreation) {
    const FCString first = Text(u"2 Quarter Notes");
    const FCString second = Text(u"Gr\u00F6\u00DFe");
    popup->AddItem(&first);
    popup->AddItem(nullptr);
    popup->AddItem(&second);
    popup->SetSelectedItem(1);
    // Something already in the list when the window is initialised goes away.
    window.beforeInit = [](HWND dialog) {
        SendDlgItemMessageA(dialog, 102, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("stale"));
    };
    for (int opening = 0; opening < 2; ++opening) {
        OpenWindow();
        EXPECT_EQ(User().ListItems(102), (Texts{u"2 Quarter Notes", u"Gr\u00F6\u00DFe"}));
        EXPECT_EQ(User().Selection(102), 1);
        CloseByUser();
    }
    popup->Clear();
    const FCString only = Text(u"only");
    popup->AddItem(&only);
    OpenWindow();
    EXPECT_EQ(User().ListItems(102), (Texts{u"only"}));
}

TEST_F(FCControlTest, ListItemsGoToTheListAsEightBitText) {
    OpenWindow();
    host.ClearCalls();
    const FCString item = Text(u"\u20AC 5");
    popup->AddItem(&item);
    popup->Clear();
    popup->AddItem(&item);
    EXPECT_EQ(User().ListItems(102), (Texts{u"\u00AC 5"}));
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(FCControlTest, ThePopupSelectionIsCapturedAtClosing) {
    for (const char16_t* item : {u"a", u"b"}) {
        const FCString text = Text(item);
        popup->AddItem(&text);
    }
    OpenWindow();
    ASSERT_TRUE(User().SelectItem(102, 1));
    CloseByUser();
    EXPECT_EQ(popup->GetSelectedItem(), 1);
    OpenWindow();
    EXPECT_EQ(User().Selection(102), -1) << "a captured value is not pushed back";
}

struct FloatCase {
    const char16_t* typed;
    float live;
};

TEST_F(FCControlTest, GetFloatClampsLiveTextsButNotTheCache) {
    const FloatCase cases[] = {{u"0.5", 1.1f}, {u"2", 1.9f}, {u"1,5", 1.5f}, {u"abc", 1.1f}};
    OpenWindow();
    for (const FloatCase& c : cases) {
        ASSERT_TRUE(User().TypeText(111, c.typed));
        EXPECT_EQ(factor->GetFloat(1.1f, 1.9f), c.live) << std::string(c.typed, c.typed + 3);
    }
    ASSERT_TRUE(User().TypeText(111, u"2.5"));
    CloseByUser();
    EXPECT_EQ(factor->GetFloat(1.1f, 1.9f), 2.5f);
}

TEST_F(FCControlTest, SetFloatWritesTwoDecimals) {
    factor->SetFloat(1.3f);
    FCString cached;
    factor->GetText(&cached);
    EXPECT_EQ(Units(cached), u"1.30");
    OpenWindow();
    EXPECT_EQ(User().Text(111), u"1.30");
    factor->SetFloat(1.9f);
    EXPECT_EQ(User().Text(111), u"1.90");
}

struct TextCase {
    std::uint32_t hostVersion;
    const char* setFunction;
    const char* getFunction;
    const char16_t* shown;
};

TEST_F(FCControlTest, TextGoesToTheHostAsUTF16FromVersion11) {
    const TextCase cases[] = {
        {kFirstUTF16HostVersion - 1, "FX_SetDlgString", "FX_GetDlgString",
         u"\u00AC 5 Gr\u00F6\u00DFe"},
        {kFirstUTF16HostVersion, "FX_SetDlgString_UTF16", "FX_GetDlgString_UTF16",
         u"\u20AC 5 Gr\u00F6\u00DFe"},
    };
    for (const TextCase& c : cases) {
        hostVersion = c.hostVersion;
        OpenWindow();
        host.ClearCalls();
        const FCString text = Text(u"\u20AC 5 Gr\u00F6\u00DFe");
        label->SetText(&text);
        EXPECT_EQ(User().Text(106), c.shown) << c.setFunction;
        EXPECT_EQ(host.CallsTo(c.setFunction).size(), 1u) << c.setFunction;
        FCString read;
        label->GetText(&read);
        EXPECT_EQ(Units(read), c.shown) << c.getFunction;
        EXPECT_EQ(host.CallsTo(c.getFunction).at(0).args.at(3), 5000) << c.getFunction;
        label->SetText(nullptr);
        EXPECT_EQ(User().Text(106), u"") << c.setFunction;
        CloseByUser();
    }
}

TEST_F(FCControlTest, AClosedWindowAnswersTheTextCapturedAtClosing) {
    const FCString before = Text(u"before");
    width->SetText(&before);
    OpenWindow();
    EXPECT_EQ(User().Text(107), u"before");
    ASSERT_TRUE(User().TypeText(107, u"480 \u20AC"));
    CloseByUser();
    host.ClearCalls();
    FCString read;
    width->GetText(&read);
    EXPECT_EQ(Units(read), u"480 \u20AC");
    EXPECT_TRUE(host.Calls().empty());
    // A text once set while closed keeps being pushed, now as captured at closing.
    OpenWindow();
    EXPECT_EQ(User().Text(107), u"480 \u20AC");
}

TEST_F(FCControlTest, CheckStateIsLiveOrCached) {
    checkbox->SetCheck(1);
    OpenWindow();
    EXPECT_TRUE(User().IsChecked(105));
    ASSERT_TRUE(User().SetCheck(105, false));
    host.ClearCalls();
    EXPECT_EQ(checkbox->GetCheck(), 0);
    EXPECT_EQ(host.CallsTo("FX_GetDlgItemVal").at(0).args, (Args{1, 105, 1, kVersion}));
    checkbox->SetCheck(1);
    EXPECT_TRUE(User().IsChecked(105));
    ASSERT_TRUE(User().SetCheck(105, false));
    CloseByUser();
    EXPECT_EQ(checkbox->GetCheck(), 0);
}

TEST_F(FCControlTest, EnabledAndVisibleStatesAreLiveOrCached) {
    checkbox->SetEnable(false);
    label->SetVisible(false);
    EXPECT_FALSE(checkbox->IsEnabled());
    OpenWindow();
    EXPECT_FALSE(User().IsEnabled(105));
    EXPECT_FALSE(User().IsVisible(106));
    EXPECT_FALSE(User().SetCheck(105, true)) << "a user cannot tick a disabled box";
    host.ClearCalls();
    checkbox->SetEnable(true);
    EXPECT_EQ(host.CallsTo("FX_EnableDlgItem").at(0).args, (Args{1, 105, 1, kVersion}));
    EXPECT_TRUE(checkbox->IsEnabled());
    EnableWindow(GetDlgItem(window.GetWindowHandle(), 105), FALSE);
    EXPECT_FALSE(checkbox->IsEnabled());
    label->SetVisible(true);
    EXPECT_TRUE(label->IsVisible());
    CloseByUser();
    EXPECT_FALSE(checkbox->IsEnabled());
    EXPECT_TRUE(label->IsVisible());
    // States once set while closed are pushed again, as captured at closing.
    OpenWindow();
    EXPECT_FALSE(User().IsEnabled(105));
    EXPECT_TRUE(User().IsVisible(106));
}

TEST_F(FCControlTest, PositionAndSizeAreInTheParentsClientArea) {
    width->SetLeft(40);
    width->SetTop(50);
    width->SetWidth(60);
    width->SetHeight(20);
    const HWND dialog = OpenWindow();
    RECT item{};
    GetWindowRect(GetDlgItem(dialog, 107), &item);
    POINT corner{item.left, item.top};
    ScreenToClient(dialog, &corner);
    EXPECT_EQ(corner.x, 40);
    EXPECT_EQ(corner.y, 50);
    EXPECT_EQ(item.right - item.left, 60);
    EXPECT_EQ(item.bottom - item.top, 20);
    ASSERT_TRUE(User().MoveTo(200, 100));
    EXPECT_EQ(width->GetLeft(), 40);
    EXPECT_EQ(width->GetTop(), 50);
    width->ResizeBy(5, -2);
    width->SetLeft(45);
    EXPECT_EQ(width->GetWidth(), 65);
    EXPECT_EQ(width->GetHeight(), 18);
    EXPECT_EQ(width->GetLeft(), 45);
    EXPECT_EQ(width->GetTop(), 50);
    CloseByUser();
    EXPECT_EQ(width->GetLeft(), 45);
    EXPECT_EQ(width->GetWidth(), 65);
}

struct IntegerCase {
    const char16_t* typed;
    std::int32_t value;
};

TEST_F(FCControlTest, IntegersAreTheLeadingNumberOfTheText) {
    const IntegerCase cases[] = {{u"-17abc", -17},
                                 {u"  42", 42},
                                 {u"abc", 0},
                                 {u"99999999999", 2147483647},
                                 {u"-99999999999", -2147483648}};
    width->SetInteger(480);
    OpenWindow();
    EXPECT_EQ(User().Text(107), u"480");
    for (const IntegerCase& c : cases) {
        ASSERT_TRUE(User().TypeText(107, c.typed));
        EXPECT_EQ(width->GetInteger(), c.value);
    }
    ASSERT_TRUE(User().TypeText(107, u"-17abc"));
    CloseByUser();
    EXPECT_EQ(width->GetInteger(), -17);
    width->SetInteger(-5);
    FCString cached;
    width->GetText(&cached);
    EXPECT_EQ(Units(cached), u"-5");
}

// Lengths go through the host while the item exists, and through the text in the document's
// unit otherwise; here both units are inches.
TEST_F(FCControlTest, LengthsAreShownInTheHostsUnitOrCachedInTheDocumentsUnit) {
    std::vector<unsigned char> generalPrefs(66, 0);
    RecordBytes::Write(generalPrefs.data(), 30, std::int16_t{kUnitInches});
    host.Document().Shared().Put(0x70666770 /* pfgp */, 1, 0, 0, generalPrefs);
    HostDialogs::Instance().SetUnit(HostUnit::Inches);

    width->SetMeasurement(432);
    FCString cached;
    width->GetText(&cached);
    EXPECT_EQ(Units(cached), u"1.5");
    EXPECT_EQ(width->GetMeasurement(), 432);
    EXPECT_TRUE(host.CallsTo("FX_SetDlgItemUser").empty());
    OpenWindow();
    EXPECT_EQ(User().Text(107), u"1.5");
    width->SetMeasurement(576);
    EXPECT_EQ(User().Text(107), u"2");
    ASSERT_TRUE(User().TypeText(107, u"2,5"));
    EXPECT_EQ(width->GetMeasurement(), 720);
    CloseByUser();
    EXPECT_EQ(width->GetMeasurement(), 720);
}

} // namespace
