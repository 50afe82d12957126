// Shows, through the Windows dialog manager, that the plug-in's edit boxes hold every text the
// dialog writes into them without clipping, in the font the template names ("MS Sans Serif",
// 8 point, as Windows draws dialogs with it): each text's width, measured in the edit box's own
// font, fits the box's text area. A font other than the template's makes the check fail, as
// its widths say nothing about the dialog on Windows.
//   dialog_fit_check PLUGIN
#include "host/session/PluginDialogItems.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int passed = 0;
int failed = 0;

void Check(bool holds, const std::string& what) {
    std::printf("%s  %s\n", holds ? "ok    " : "FAILED", what.c_str());
    (holds ? passed : failed) += 1;
}

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// A window's device context with the window's own font selected, for measuring text as the
// window draws it.
class WindowFont {
public:
    explicit WindowFont(HWND window)
        : window_(window), context_(GetDC(window)),
          previous_(SelectObject(context_,
                                 reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)))) {
    }
    ~WindowFont() {
        SelectObject(context_, previous_);
        ReleaseDC(window_, context_);
    }
    WindowFont(const WindowFont&) = delete;
    WindowFont& operator=(const WindowFont&) = delete;

    std::wstring Face() const {
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(context_, LF_FACESIZE, face);
        return face;
    }
    long Width(const std::wstring& text) const {
        SIZE size{};
        GetTextExtentPoint32W(context_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

private:
    HWND window_;
    HDC context_;
    HGDIOBJ previous_;
};

// The widest of the texts in the edit box's font, and the width of the box's text area.
struct Fit {
    std::wstring widest;
    long widestPixels = 0;
    long areaPixels = 0;
};

Fit Measure(HWND edit, const std::vector<std::wstring>& texts) {
    Fit fit;
    RECT area{};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    fit.areaPixels = area.right - area.left;
    const WindowFont font(edit);
    for (const std::wstring& text : texts) {
        const long width = font.Width(text);
        if (width > fit.widestPixels) {
            fit.widestPixels = width;
            fit.widest = text;
        }
    }
    return fit;
}

void CheckFits(HWND dialog, int item, const std::string& name,
               const std::vector<std::wstring>& texts) {
    const Fit fit = Measure(GetDlgItem(dialog, item), texts);
    Check(fit.widestPixels > 0 && fit.widestPixels <= fit.areaPixels,
          name + ": the widest text, \"" + Narrow(fit.widest) + "\", is " +
              std::to_string(fit.widestPixels) + " pixels; the box shows " +
              std::to_string(fit.areaPixels));
}

// What the dialog writes: the factor as "%0.2f" within its bounds, 1.10 to 1.90.
std::vector<std::wstring> FactorTexts() {
    std::vector<std::wstring> texts;
    for (int hundredths = 110; hundredths <= 190; ++hundredths) {
        wchar_t text[16];
        std::swprintf(text, 16, L"%0.2f", hundredths / 100.0);
        texts.push_back(text);
    }
    return texts;
}

// The default width in EVPUs, the unit a new document has: whole numbers from 100 to 1000.
std::vector<std::wstring> WidthTexts() {
    std::vector<std::wstring> texts;
    for (int evpus = 100; evpus <= 1000; ++evpus) {
        texts.push_back(std::to_wstring(evpus));
    }
    return texts;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dialog_fit_check PLUGIN\n");
        return 2;
    }
    HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HWND dialog = module ? CreateDialogParamW(module, MAKEINTRESOURCEW(PluginDialogItems::kDialog),
                                              nullptr, IgnoreMessages, 0)
                         : nullptr;
    if (!dialog) {
        std::fprintf(stderr, "dialog_fit_check: cannot make the dialog of %s\n", argv[1]);
        return 1;
    }
    const std::wstring face = WindowFont(dialog).Face();
    Check(face == L"MS Sans Serif",
          "the dialog is drawn with the template's font, MS Sans Serif (here: " + Narrow(face) +
              ")");
    CheckFits(dialog, PluginDialogItems::kFactorEdit, "scaling factor", FactorTexts());
    CheckFits(dialog, PluginDialogItems::kWidthEdit, "default width in EVPUs", WidthTexts());
    DestroyWindow(dialog);
    FreeLibrary(module);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
