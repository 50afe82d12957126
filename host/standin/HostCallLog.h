// How the FX_ functions write their calls into the stand-in host's log.
#pragma once

#include "host/standin/StandInHost.h"

#include <cstdint>
#include <initializer_list>

namespace HostCallLog {

inline std::int64_t Given(const void* pointer) {
    return pointer ? 1 : 0;
}

inline void Record(const char* name, std::initializer_list<std::int64_t> args) {
    StandInHost::Instance().Record(name, args);
}

// Keeps the host's answer with the call recorded last and hands it back.
template <typename Answer> Answer Answered(Answer answer) {
    StandInHost::Instance().Answer(static_cast<std::int64_t>(answer));
    return answer;
}

// The key at a position of a record call's key array; 0 when no array is given.
inline std::int64_t Key(const std::int16_t* keys, int position) {
    return keys ? keys[position] : 0;
}

// A record call: tag, the three keys, size and version; a save or create also hands over the
// record's bytes.
inline void RecordRecordCall(const char* name, std::uint32_t tag, const std::int16_t* keys,
                             std::int64_t size, std::uint32_t version,
                             const void* bytes = nullptr) {
    StandInHost::Instance().Record(
        name, {tag, Key(keys, 0), Key(keys, 1), Key(keys, 2), size, version}, bytes, size);
}

} // namespace HostCallLog
