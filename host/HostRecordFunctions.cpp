// The host functions for the record store: load, save, create, delete and walk records by tag and
// keys.
#include "host/HostCallLog.h"
#include "host/HostFunctions.h"
#include "host/StandInHost.h"

extern "C" {

std::int16_t FX_LoadEData(std::uint32_t tag, std::int16_t* keys, void* /*buffer*/,
                          std::int32_t* size, std::uint32_t version) {
    HostCallLog::Record(__func__, HostCallLog::RecordArgs(tag, keys, size ? *size : -1, version));
    return 0;
}

std::int16_t FX_SaveEData(std::uint32_t tag, std::int16_t* keys, const void* /*buffer*/,
                          std::int32_t size, std::uint32_t version) {
    HostCallLog::Record(__func__, HostCallLog::RecordArgs(tag, keys, size, version));
    return 0;
}

std::int16_t FX_CreateEData(std::uint32_t tag, std::int16_t* keys, const void* /*buffer*/,
                            std::int32_t size, std::uint32_t version) {
    HostCallLog::Record(__func__, HostCallLog::RecordArgs(tag, keys, size, version));
    return 0;
}

std::int16_t FX_DeleteEData(std::uint32_t tag, std::int16_t* keys, std::uint32_t version) {
    HostCallLog::Record(__func__, HostCallLog::RecordArgs(tag, keys, 0, version));
    return 0;
}

std::int16_t FX_NextEData(std::uint32_t tag, std::int16_t* keys, void* reserved1, void* reserved2,
                          std::uint32_t version) {
    std::vector<std::int64_t> args = HostCallLog::RecordArgs(tag, keys, 0, version);
    args.insert(args.end() - 1, {HostCallLog::Given(reserved1), HostCallLog::Given(reserved2)});
    HostCallLog::Record(__func__, std::move(args));
    return 0;
}

} // extern "C"
