#include "framework/data/FCPrefsBase.h"

#include "framework/data/CompositeRecord.h"

bool __FCPrefsBase::Load(int prefsNo) {
    SetKey(0, static_cast<std::int16_t>(prefsNo));
    if (composition_.empty()) {
        return LoadData();
    }
    std::int32_t size = RecordSize();
    if (!CompositeRecord::Load(composition_, EmbeddedRecord(), &size)) {
        SetDataSize(0);
        return false;
    }
    SetDataSize(size);
    return true;
}

bool __FCPrefsBase::Save() {
    if (GetDataSize() <= 0) {
        return false;
    }
    if (composition_.empty()) {
        return __FCBaseData::Save();
    }
    return CompositeRecord::Save(composition_, RecordData(), GetDataSize());
}

bool __FCPrefsBase::Reload() {
    return GetDataSize() > 0 && Load(Key(0));
}
