// The host functions for the record store: load, save, create, delete and walk records by tag and
// keys, in the current part's document.
#include "host/standin/HostCallLog.h"
#include "host/standin/HostFunctions.h"
#include "host/standin/StandInHost.h"

#include <cstring>

namespace {

RecordStore& StoreFor(std::uint32_t tag) {
    return StandInHost::Instance().Document().StoreFor(tag);
}

// The bytes a caller hands over; null only when there are none.
bool ReadBytes(const void* buffer, std::int32_t size, RecordStore::Bytes& bytes) {
    if (size < 0 || (size > 0 && !buffer)) {
        return false;
    }
    const auto* first = static_cast<const unsigned char*>(buffer);
    bytes.assign(first, first + size);
    return true;
}

std::int16_t LoadRecord(std::uint32_t tag, std::int16_t* keys, void* buffer, std::int32_t* size) {
    if (!keys || !size) {
        return 0;
    }
    const RecordStore::Found record = StoreFor(tag).Find(RecordStore::KeyOf(tag, keys));
    if (!record) {
        return 0;
    }
    const auto length = static_cast<std::int32_t>(record->size());
    if (buffer) {
        if (length > *size) {
            return 0;
        }
        if (length > 0) {
            std::memcpy(buffer, record->data(), record->size());
        }
    }
    *size = length;
    return 1;
}

std::int16_t StepToNextRecord(std::uint32_t tag, std::int16_t* keys) {
    if (!keys) {
        return 0;
    }
    const auto next = StoreFor(tag).After(RecordStore::KeyOf(tag, keys));
    if (!next) {
        return 0;
    }
    for (std::size_t position = 0; position < next->keys.size(); ++position) {
        keys[position] = static_cast<std::int16_t>(next->keys[position]);
    }
    return 1;
}

} // namespace

extern "C" {

std::int16_t FX_LoadEData(std::uint32_t tag, std::int16_t* keys, void* buffer, std::int32_t* size,
                          std::uint32_t version) {
    HostCallLog::RecordRecordCall(__func__, tag, keys, size ? *size : -1, version);
    return HostCallLog::Answered(LoadRecord(tag, keys, buffer, size));
}

std::int16_t FX_SaveEData(std::uint32_t tag, std::int16_t* keys, const void* buffer,
                          std::int32_t size, std::uint32_t version) {
    HostCallLog::RecordRecordCall(__func__, tag, keys, size, version, buffer);
    RecordStore::Bytes bytes;
    if (!keys || !ReadBytes(buffer, size, bytes)) {
        return 0;
    }
    return StoreFor(tag).Replace(RecordStore::KeyOf(tag, keys), std::move(bytes)) ? 1 : 0;
}

std::int16_t FX_CreateEData(std::uint32_t tag, std::int16_t* keys, const void* buffer,
                            std::int32_t size, std::uint32_t version) {
    HostCallLog::RecordRecordCall(__func__, tag, keys, size, version, buffer);
    RecordStore::Bytes bytes;
    if (!keys || !ReadBytes(buffer, size, bytes)) {
        return 0;
    }
    return StoreFor(tag).Create(tag, keys, std::move(bytes)) ? 1 : 0;
}

std::int16_t FX_DeleteEData(std::uint32_t tag, std::int16_t* keys, std::uint32_t version) {
    HostCallLog::RecordRecordCall(__func__, tag, keys, 0, version);
    if (!keys) {
        return 0;
    }
    return StoreFor(tag).Erase(RecordStore::KeyOf(tag, keys)) ? 1 : 0;
}

std::int16_t FX_NextEData(std::uint32_t tag, std::int16_t* keys, void* reserved1, void* reserved2,
                          std::uint32_t version) {
    HostCallLog::Record(__func__, {tag, HostCallLog::Key(keys, 0), HostCallLog::Key(keys, 1),
                                   HostCallLog::Key(keys, 2), 0, HostCallLog::Given(reserved1),
                                   HostCallLog::Given(reserved2), version});
    return HostCallLog::Answered(StepToNextRecord(tag, keys));
}

} // extern "C"
