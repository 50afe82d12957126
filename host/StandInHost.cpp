#include "host/StandInHost.h"

#include "host/HostDialogs.h"
#include "host/HostFunctions.h"

#ifndef _WIN32
#include "platform/native/NativeUserScript.h"
#endif

StandInHost& StandInHost::Instance() {
    static StandInHost host;
    return host;
}

void StandInHost::Reset() {
    version_ = kDefaultVersion;
    hidden_.clear();
    ClearCalls();
    keepingCalls_ = true;
    document_ = HostDocument{};
    settingsFolder_.clear();
    music_ = HostMusic{};
    selection_ = HostSelection{};
    edit_ = HostEdit{};
    layout_ = HostLayout{};
    mainWindow_ = nullptr;
    HostDialogs::Instance().Reset();
#ifndef _WIN32
    NativeResetUserServices();
#endif
}

std::vector<HostCall> StandInHost::CallsTo(const std::string& name) const {
    std::vector<HostCall> matching;
    for (const HostCall& call : calls_) {
        if (call.name == name) {
            matching.push_back(call);
        }
    }
    return matching;
}

void* StandInHost::LookUp(const char* name) const {
    return name && !IsHidden(name) ? FindHostFunction(name) : nullptr;
}

void StandInHost::RegisterHostModule() {
#ifndef _WIN32
    if (!registeredModule_) {
        registeredModule_ = NativeRegisterModule(
            "FINALE.EXE",
            [](const char* name, void* host) {
                return static_cast<StandInHost*>(host)->LookUp(name);
            },
            this, nullptr, 0);
    }
#endif
}
