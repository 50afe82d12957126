#include "framework/data/FCCollectionData.h"

#include <memory>

int __FCCollectionData::LoadAll() {
    ClearAll();
    const std::unique_ptr<__FCBaseData> probe(CreateElement());
    if (!probe || !probe->LoadFirst()) {
        return GetCount();
    }
    do {
        AddCopyOf(*probe);
    } while (probe->LoadNext());
    return GetCount();
}

bool __FCCollectionData::SaveAll() {
    for (int index = 0; index < GetCount(); ++index) {
        __FCBaseData* element = DataAt(index);
        if (!element || !element->Save()) {
            return false;
        }
    }
    return true;
}

void __FCCollectionData::AddCopyOf(__FCBaseData& probe) {
    __FCBaseData* element = probe.CreateObject();
    element->TakeLocationFrom(probe);
    element->CopyDataFrom(&probe);
    Add(element);
}

__FCBaseData* __FCCollectionData::DataAt(int index) const {
    return dynamic_cast<__FCBaseData*>(GetItemAt(index));
}
