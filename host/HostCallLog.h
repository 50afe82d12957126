// How the FX_ functions write their calls into the stand-in host's log.
#pragma once

#include "host/StandInHost.h"

#include <cstdint>
#include <vector>

namespace HostCallLog {

inline std::int64_t Given(const void* pointer) {
    return pointer ? 1 : 0;
}

inline void Record(const char* name, std::vector<std::int64_t> args) {
    StandInHost::Instance().Record({name, std::move(args)});
}

// A record call: tag, the three keys (0 when none are given), size and version.
inline std::vector<std::int64_t> RecordArgs(std::uint32_t tag, const std::int16_t* keys,
                                            std::int64_t size, std::uint32_t version) {
    if (!keys) {
        return {tag, 0, 0, 0, size, version};
    }
    return {tag, keys[0], keys[1], keys[2], size, version};
}

} // namespace HostCallLog
