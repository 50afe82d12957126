#include "tests/support/LinkedPlugin.h"

#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "engine/FCCalvexBlockHandler.h"
#include "framework/core/FCUndoBlock.h"

#include <cstddef>

extern "C" const unsigned char NativeResourceData[];
extern "C" const std::size_t NativeResourceData_size;
CALVEX_ENTRY_POINT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

HMODULE LinkedPlugin::Handle() {
    static HMODULE handle = NativeRegisterModule("zrcalvex64.fxt", nullptr, nullptr,
                                                 NativeResourceData, NativeResourceData_size);
    return handle;
}

void LinkedPlugin::Attach(StandInHost& host) {
    host.Reset();
    host.RegisterHostModule();
    DllMain(Handle(), DLL_PROCESS_ATTACH, nullptr);
    HostApi::ResetBinding();
    hostVersion = HostAbi::kInterfaceVersion;
    PluginSettings = PluginSettingsRecord::Defaults();
}

bool LinkedPlugin::RunSpacingPass() {
    FCUndoBlock block;
    FCCalvexBlockHandler handler;
    const FCString title("Calvex");
    RunBlock(&block, &handler, &title);
    return handler.GetResult();
}
