// Shows the dialog of the plug-in module's own template (20128) as the host shows it, with a
// callback that does nothing, and keeps the host's message loop running for a while so that the
// dialog paints and can be photographed (scripts/dialog-screenshot). Windows only.
#include "host/HostDialogs.h"
#include "host/HostMainWindow.h"
#include "host/PluginModule.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr std::int16_t kDialogID = 20128;

std::int32_t IgnoreMessage(HWND, std::uint32_t, WPARAM, LPARAM, void*) {
    return 0;
}

// Delivers the host's messages until the time is up.
void RunMessageLoop(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

} // namespace

int main(int argc, char** argv) {
    const DWORD seconds = argc >= 2 ? static_cast<DWORD>(std::atoi(argv[1])) : 5;
    PluginModule plugin;
    std::string error;
    if (!plugin.Load("zrcalvex64.fxt", error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    HostMainWindow mainWindow;
    const HWND dialog = HostDialogs::Instance().Open(plugin.Handle(), kDialogID, &IgnoreMessage,
                                                     mainWindow.Handle(), nullptr);
    if (!dialog) {
        std::fprintf(stderr, "the plug-in module has no dialog %d\n", kDialogID);
        return 1;
    }
    RunMessageLoop(seconds * 1000);
    HostDialogs::Instance().End(dialog);
    return 0;
}
