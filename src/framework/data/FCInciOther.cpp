#include "framework/data/FCInciOther.h"

bool __FCInciOther::Reload() {
    return GetDataSize() > 0 && Load(Key(0), Key(1));
}

bool __FCInciOther::Load(int itemNo, int incidence) {
    SetKeys(static_cast<std::int16_t>(itemNo), static_cast<std::int16_t>(incidence));
    return LoadData();
}

bool __FCInciOther::LoadsAt(int itemNo, int incidence) {
    SetKeys(static_cast<std::int16_t>(itemNo), static_cast<std::int16_t>(incidence));
    return LoadRecordOnly();
}

bool __FCInciOther::SaveAs(int itemNo) {
    return GetDataSize() > 0 && CreateWithKeys(static_cast<std::int16_t>(itemNo), kNewKey, Key(2));
}
