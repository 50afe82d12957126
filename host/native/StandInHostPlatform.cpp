// What the stand-in host does only natively: the stand-in loader learns the host's functions as
// the module "FINALE.EXE", and the stand-in user services start afresh with the host.
#include "host/StandInHost.h"

#include "platform/native/NativeUserScript.h"

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

void StandInHost::ResetPlatformServices() {
    NativeResetUserServices();
}
