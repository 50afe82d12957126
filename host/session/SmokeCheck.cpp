#include "host/session/SmokeCheck.h"

#include "host/model/HostRecords.h"
#include "host/session/DialogUser.h"
#include "host/session/PluginDialogItems.h"
#include "host/session/PluginModule.h"
#include "host/standin/HostDialogs.h"
#include "host/standin/HostFunctions.h"
#include "host/standin/HostMainWindow.h"
#include "host/standin/StandInHost.h"
#include "hostinterface/HostLayouts.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr char kMenuText[] = "ZR Calvex...";
constexpr char kDescription[] = "Spaces empty rests and multi-measure rests according to duration.";
constexpr char kName[] = "Calvex";
constexpr unsigned char kUntouched = 0xAB;
// A text field holds at most this many characters before its terminator.
constexpr std::size_t kFieldLength = 63;

namespace Items = PluginDialogItems;

// The 64-byte field holds at most 63 bytes of the text and is zero up to its end.
bool Field8Holds(const unsigned char* field, const std::string& text) {
    const std::string expected = text.substr(0, kFieldLength);
    for (std::size_t i = 0; i < MenuRecord8::kFieldSize; ++i) {
        const unsigned char want =
            i < expected.size() ? static_cast<unsigned char>(expected[i]) : 0;
        if (field[i] != want) {
            return false;
        }
    }
    return true;
}

// The 128-unit field holds at most 63 units and a terminator; the units after it are untouched.
bool Field16Holds(const unsigned char* field, const std::string& text) {
    const std::string expected = text.substr(0, kFieldLength);
    for (std::size_t i = 0; i <= expected.size(); ++i) {
        const unsigned unit = field[2 * i] | (field[2 * i + 1] << 8);
        const unsigned want = i < expected.size() ? static_cast<unsigned char>(expected[i]) : 0;
        if (unit != want) {
            return false;
        }
    }
    for (std::size_t byte = 2 * (expected.size() + 1); byte < MenuRecord16::kFieldSize; ++byte) {
        if (field[byte] != kUntouched) {
            return false;
        }
    }
    return true;
}

constexpr std::uint32_t kVersion = HostAbi::kInterfaceVersion;

// Stands in for the plug-in's dialog callback: it writes down what the host forwards.
struct DialogProbe {
    struct Heard {
        std::uint32_t message;
        WPARAM wParam;
        void* windowObject;
    };
    std::vector<Heard> heard;

    static std::int32_t Callback(HWND, std::uint32_t message, WPARAM wParam, LPARAM, void* object) {
        static_cast<DialogProbe*>(object)->heard.push_back({message, wParam, object});
        return 0;
    }

    bool HeardCommand(int item, int notification) const {
        const WPARAM wanted = MAKEWPARAM(item, notification);
        return std::any_of(heard.begin(), heard.end(), [wanted](const Heard& h) {
            return h.message == WM_COMMAND && h.wParam == wanted;
        });
    }
};

int ChildCount(HWND dialog) {
    int count = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

std::uint32_t ReadUint32(const unsigned char* bytes) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

} // namespace

void SmokeCheck::Expect(bool condition, const std::string& what) {
    if (condition) {
        ++passed_;
        std::printf("ok      %s\n", what.c_str());
    } else {
        ++failed_;
        std::printf("FAILED  %s\n", what.c_str());
    }
}

void SmokeCheck::CheckVersionAndInit(PluginModule& plugin) {
    Expect(plugin.version(StandInHost::Instance().Version()) == HostVersions::kPluginAnswer,
           "FinaleExtensionVersion answers 0x0F000000");
    std::uint32_t flags = 0;
    Expect(plugin.init(nullptr, &flags) == 1, "FinaleExtensionInit answers 1");
    Expect((flags & 1u) != 0, "FinaleExtensionInit sets bit 0 of the flags");
    Expect(plugin.menuStatus(nullptr) == 1, "the menu item is enabled");
}

void SmokeCheck::CheckRecord8(PluginModule& plugin) {
    std::vector<unsigned char> record(MenuRecord8::kSize, kUntouched);
    Expect(plugin.enumerate(nullptr, 1, record.data()) == 0, "Enumerate(1) answers 0");
    Expect(
        std::all_of(record.begin(), record.end(), [](unsigned char b) { return b == kUntouched; }),
        "Enumerate(1) leaves the record untouched");
    Expect(plugin.enumerate(nullptr, 0, record.data()) == 1, "Enumerate(0) answers 1");
    Expect(Field8Holds(record.data() + MenuRecord8::kMenuText, kMenuText), "8-bit menu text");
    Expect(Field8Holds(record.data() + MenuRecord8::kDescription, kDescription),
           "8-bit description, first 63 characters");
    Expect(Field8Holds(record.data() + MenuRecord8::kName, kName), "8-bit extension name");
    Expect(ReadUint32(record.data() + MenuRecord8::kFlags) == 0, "8-bit record flags are 0");
}

void SmokeCheck::CheckRecord16(PluginModule& plugin) {
    std::vector<unsigned char> record(MenuRecord16::kSize, kUntouched);
    Expect(plugin.enumerateUTF16(nullptr, 1, record.data()) == 0, "Enumerate_UTF16(1) answers 0");
    Expect(plugin.enumerateUTF16(nullptr, 0, record.data()) == 1, "Enumerate_UTF16(0) answers 1");
    Expect(Field16Holds(record.data() + MenuRecord16::kMenuText, kMenuText), "UTF-16 menu text");
    Expect(Field16Holds(record.data() + MenuRecord16::kDescription, kDescription),
           "UTF-16 description, first 63 units");
    Expect(Field16Holds(record.data() + MenuRecord16::kName, kName), "UTF-16 extension name");
    Expect(ReadUint32(record.data() + MenuRecord16::kFlags) == 0, "UTF-16 record flags are 0");
}

void SmokeCheck::CheckDialog(PluginModule& plugin) {
    HostMainWindow mainWindow;
    DialogProbe probe;
    const HWND dialog = HostDialogs::Instance().Open(
        plugin.Handle(), Items::kDialog, &DialogProbe::Callback, mainWindow.Handle(), &probe);
    Expect(dialog != nullptr, "the host shows dialog 20128 of the plug-in's own resources");
    if (!dialog) {
        return;
    }
    Expect(!probe.heard.empty() && probe.heard.front().message == WM_INITDIALOG &&
               probe.heard.front().windowObject == &probe,
           "the callback hears WM_INITDIALOG first, with the window object");
    Expect(IsWindowVisible(dialog) != FALSE, "the dialog is shown and stays open");
    Expect(ChildCount(dialog) == Items::kItemCount, "the dialog has the template's 19 items");
    CheckDialogItems(dialog);
    Expect(probe.HeardCommand(Items::kModePopup, CBN_SELCHANGE) &&
               probe.HeardCommand(Items::kSimpleCheck, BN_CLICKED) &&
               probe.HeardCommand(Items::kWidthEdit, EN_CHANGE),
           "the dialog hears each action as its control's notification");
    Expect(FX_EndDialog(dialog, kVersion) == 1 && !IsWindow(dialog) &&
               probe.heard.back().message == WM_DESTROY,
           "FX_EndDialog destroys the dialog, the callback hearing WM_DESTROY last");
}

void SmokeCheck::CheckDialogItems(HWND dialog) {
    DialogUser user(dialog);
    Expect(user.Text(Items::kModeLabel) == u"Spacing M&ode:" &&
               user.Text(Items::kApply) == u"&Apply",
           "the items carry the template's texts");
    for (const char* item : {"first", "second"}) {
        SendDlgItemMessageA(dialog, Items::kModePopup, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(item));
    }
    Expect(
        user.SelectItem(Items::kModePopup, 1) &&
            FX_GetDlgItemVal(dialog, Items::kModePopup, DialogItemValue::kListChoice, kVersion) ==
                2 &&
            user.ListItems(Items::kModePopup) == std::vector<std::u16string>{u"first", u"second"},
        "a popup choice is 1-based at the host");
    Expect(user.SetCheck(Items::kSimpleCheck, true) &&
               FX_GetDlgItemVal(dialog, Items::kSimpleCheck, DialogItemValue::kCheckState,
                                kVersion) == 1,
           "a ticked box reads checked");
    Expect(user.TypeText(Items::kWidthEdit, u"480") &&
               FX_GetDlgItemVal(dialog, Items::kWidthEdit, DialogItemValue::kInteger, kVersion) ==
                   480,
           "typed text reads as an integer");
    Expect(FX_EnableDlgItem(dialog, Items::kMultimeasureCheck, 0, kVersion) == 1 &&
               !user.IsEnabled(Items::kMultimeasureCheck),
           "FX_EnableDlgItem disables an item");
}

int SmokeCheck::Run() {
    StandInHost::Instance().RegisterHostModule();
    PluginModule plugin;
    std::string error;
    const bool loaded = plugin.Load(pluginPath_, error);
    Expect(loaded, "the plug-in loads and has its seven exports" + (loaded ? "" : ": " + error));
    if (loaded) {
        CheckVersionAndInit(plugin);
        CheckRecord8(plugin);
        CheckRecord16(plugin);
        CheckDialog(plugin);
        plugin.terminate();
        plugin.Unload();
    }
    std::printf("%d passed, %d failed\n", passed_, failed_);
    return failed_ == 0 ? 0 : 1;
}
