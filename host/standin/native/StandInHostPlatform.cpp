// What the stand-in host does only natively: the stand-in loader learns the host's functions as
// the module "FINALE.EXE", and the stand-in user services start afresh with the host.
#include "host/standin/StandInHost.h"

#include "platform/native/NativeUserScript.h"

#include <malloc.h>

void StandInHost::RegisterHostModule() {
    if (!registeredModule_) {
        registeredModule_ = NativeRegisterModule(
            "FINALE.EXE",
            [](const char* name, void* host) {
                return static_cast<StandInHost*>(host)->LookUp(name);
            },
            this, nullptr, 0);
    }
}

// The C library maps a block of this size or more on its own and unmaps it when it is freed. By
// default it raises that size to the largest block freed so far, so after the first large table
// it keeps the freed blocks of the others in its heap, where the process holds them.
void StandInHost::GiveBackLargeBlocks() {
    constexpr int kLargeBlock = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
}

void StandInHost::ResetPlatformServices() {
    NativeResetUserServices();
}
