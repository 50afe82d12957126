#include "framework/data/FCNoInciOther.h"

bool __FCNoInciOther::Reload() {
    return GetDataSize() > 0 && Load(GetItemNo());
}

bool __FCNoInciOther::Load(int itemNo) {
    SetKeys(static_cast<std::int16_t>(itemNo), 0);
    return LoadData();
}

bool __FCNoInciOther::SaveAs(int itemNo) {
    const std::int16_t previous[2] = {Key(0), Key(1)};
    SetKeys(static_cast<std::int16_t>(itemNo), 0);
    if (Save()) {
        return true;
    }
    SetKeys(previous[0], previous[1]);
    return false;
}

bool __FCNoInciOther::SaveNew() {
    return GetDataSize() > 0 && CreateWithKeys(kNewKey, kNewKey, Key(2));
}
