#include "framework/data/RecordAccess.h"

#include "binding/HostApi.h"
#include "framework/data/ArrayRecordMap.h"
#include "framework/data/BasicCompositeTables.h"
#include "framework/data/CompositeRecord.h"

#include <cstring>

bool RecordAccess::LoadRecord(std::uint32_t tag, std::int16_t* keys, void* buffer,
                              std::int32_t* size, std::uint32_t version) {
    if (!keys) {
        return false;
    }
    if (tag == kGuardedTag && buffer && !LoadGuarded(tag, keys, buffer, size, version)) {
        return false;
    }
    if (const CompositeTable rows = BasicCompositeTables::Find(tag, keys[0]); !rows.empty()) {
        return CompositeRecord::Load(rows, buffer, size);
    }
    if (const ArrayRecordMap* map = ArrayRecordMap::Find(tag)) {
        return map->Load(keys[0], buffer, size);
    }
    return HostApi::LoadEData(tag, keys, buffer, size, version) != 0;
}

bool RecordAccess::LoadGuarded(std::uint32_t tag, std::int16_t* keys, void* buffer,
                               std::int32_t* size, std::uint32_t version) {
    // Zeroing a buffer that the caller says is smaller would write past its end.
    if (!size || *size < kGuardedSize) {
        return false;
    }
    std::memset(buffer, 0, kGuardedSize);
    return HostApi::LoadEData(tag, keys, buffer, size, version) != 0;
}

bool RecordAccess::SaveRecord(std::uint32_t tag, std::int16_t* keys, const void* buffer,
                              std::int32_t size, std::uint32_t version) {
    if (!keys) {
        return false;
    }
    if (version < kFirstComposedVersion) {
        return HostApi::SaveEData(tag, keys, buffer, size, version) != 0;
    }
    if (const CompositeTable rows = BasicCompositeTables::Find(tag, keys[0]); !rows.empty()) {
        return CompositeRecord::Save(rows, buffer, size);
    }
    if (const ArrayRecordMap* map = ArrayRecordMap::Find(tag)) {
        return map->Save(keys[0], buffer, size);
    }
    return HostApi::SaveEData(tag, keys, buffer, size, version) != 0;
}

bool RecordAccess::CreateRecord(std::uint32_t tag, std::int16_t* keys, const void* buffer,
                                std::int32_t size, std::uint32_t version) {
    return HostApi::CreateEData(tag, keys, buffer, size, version) != 0;
}

bool RecordAccess::DeleteRecord(std::uint32_t tag, std::int16_t* keys, std::uint32_t version) {
    return HostApi::DeleteEData(tag, keys, version) != 0;
}

bool RecordAccess::NextRecord(std::uint32_t tag, std::int16_t* keys, std::uint32_t version) {
    return HostApi::NextEData(tag, keys, version) != 0;
}
