#include "support/HostFixture.h"

#include "shell/HostApi.h"
#include "shell/PluginState.h"

#include <cstddef>

extern "C" const unsigned char NativeResourceData[];
extern "C" const std::size_t NativeResourceData_size;
CALVEX_ENTRY_POINT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

HMODULE HostFixture::PluginHandle() {
    static HMODULE handle = NativeRegisterModule("zrcalvex64.fxt", nullptr, nullptr,
                                                 NativeResourceData, NativeResourceData_size);
    return handle;
}

void HostFixture::SetUp() {
    host.Reset();
    host.RegisterHostModule();
    DllMain(PluginHandle(), DLL_PROCESS_ATTACH, nullptr);
    HostApi::ResetBinding();
    hostVersion = kDefaultHostVersion;
    PluginSettings = PluginSettingsRecord::Defaults();
}

void HostFixture::TearDown() {
    EXPECT_EQ(host.Music().OpenFrameCount(), 0u) << "entry frames left unfreed";
    EXPECT_EQ(host.Music().ForeignFreeCount(), 0) << "frames freed that the host did not hold";
    HostApi::ResetBinding();
    host.Reset();
}
