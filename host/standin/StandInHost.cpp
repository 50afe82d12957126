#include "host/standin/StandInHost.h"

#include "host/standin/HostDialogs.h"
#include "host/standin/HostFunctions.h"

#include <ostream>

StandInHost& StandInHost::Instance() {
    static StandInHost host;
    return host;
}

void StandInHost::Reset() {
    static_cast<HostState&>(*this) = HostState{};
    hidden_.clear();
    ClearCalls();
    keepingCalls_ = true;
    stream_ = nullptr;
    settingsFolder_.clear();
    mainWindow_ = nullptr;
    HostDialogs::Instance().Reset();
    ResetPlatformServices();
}

void StandInHost::Keep(const char* name, std::initializer_list<std::int64_t> args,
                       const void* bytes, std::int64_t size) {
    HostCall call{name, args, {}};
    if (bytes && size > 0) {
        const auto* first = static_cast<const unsigned char*>(bytes);
        call.bytes.assign(first, first + size);
    }
    if (stream_) {
        *stream_ << call << '\n';
    }
    if (keepingCalls_) {
        calls_.push_back(std::move(call));
    }
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
