#include "framework/data/FCBaseData.h"

#include "binding/HostApi.h"
#include "framework/data/RecordAccess.h"

#include <algorithm>
#include <cstring>

void* __FCBaseData::RecordData() {
    return ownedData_ ? ownedData_.get() : GetRecordBuffer();
}

const void* __FCBaseData::RecordData() const {
    // GetRecordBuffer only hands out the address of the storage; it changes nothing.
    return const_cast<__FCBaseData*>(this)->RecordData();
}

void* __FCBaseData::EmbeddedRecord() {
    ownedData_.reset();
    return GetRecordBuffer();
}

bool __FCBaseData::LoadData() {
    if (!LoadRecordOnly()) {
        return false;
    }
    documentStamp_ = static_cast<std::uint16_t>(HostApi::GetCurrentEnigmaDocument());
    return true;
}

bool __FCBaseData::LoadRecordOnly() {
    const std::int32_t room = RecordSize();
    std::int32_t size = room;
    if (!RecordAccess::LoadRecord(RecordTag(), keys_, EmbeddedRecord(), &size, RecordVersion()) ||
        size < 0 || size > room) {
        dataSize_ = 0;
        return false;
    }
    dataSize_ = size;
    return true;
}

bool __FCBaseData::Save() {
    if (GetDataSize() <= 0) {
        return false;
    }
    return RecordAccess::SaveRecord(RecordTag(), keys_, RecordData(), GetDataSize(),
                                    RecordVersion());
}

bool __FCBaseData::Reload() {
    return GetDataSize() > 0 && LoadData();
}

bool __FCBaseData::DeleteData() {
    return RecordAccess::DeleteRecord(RecordTag(), keys_, RecordVersion());
}

bool __FCBaseData::LoadNext() {
    // The host moves a copy, so a failed step leaves this object's keys on its record.
    std::int16_t next[3] = {keys_[0], keys_[1], keys_[2]};
    if (!RecordAccess::NextRecord(RecordTag(), next, RecordVersion())) {
        return false;
    }
    std::copy(std::begin(next), std::end(next), keys_);
    return LoadData();
}

void __FCBaseData::CopyDataFrom(__FCBaseData* other) {
    if (!other || other == this || other->GetDataSize() <= 0) {
        return;
    }
    const std::int32_t size = other->GetDataSize();
    auto copy = std::make_unique<unsigned char[]>(static_cast<std::size_t>(size));
    std::memcpy(copy.get(), other->RecordData(), static_cast<std::size_t>(size));
    ownedData_ = std::move(copy);
    dataSize_ = size;
}

void __FCBaseData::CopyRecordFrom(__FCBaseData* other) {
    // The base test on class names: a subclass's own IsSameClass may compare more than classes.
    if (!other || other == this || !__FCBase::IsSameClass(other) || other->GetDataSize() <= 0) {
        return;
    }
    const std::int32_t size = std::min(RecordSize(), other->GetDataSize());
    std::memcpy(EmbeddedRecord(), other->RecordData(), static_cast<std::size_t>(size));
    dataSize_ = RecordSize();
}

bool __FCBaseData::CreateWithKeys(std::int16_t key1, std::int16_t key2, std::int16_t key3) {
    std::int16_t keys[3] = {key1, key2, key3};
    if (!RecordAccess::CreateRecord(RecordTag(), keys, RecordData(), GetDataSize(),
                                    RecordVersion())) {
        return false;
    }
    std::copy(std::begin(keys), std::end(keys), keys_);
    return true;
}

void __FCBaseData::TakeLocationFrom(const __FCBaseData& other) {
    std::copy(std::begin(other.keys_), std::end(other.keys_), keys_);
    documentStamp_ = other.documentStamp_;
}
