#include "host/standin/HostMessageLoop.h"

#include "platform/Platform.h"

void KeepMessagesFlowing(int seconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}
