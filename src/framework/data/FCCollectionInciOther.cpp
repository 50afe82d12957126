#include "framework/data/FCCollectionInciOther.h"

#include <memory>

namespace {

// Incidence numbers stop below the placeholder key 0xFFFF.
constexpr int kIncidenceLimit = 0xFFFF;

} // namespace

int __FCCollectionInciOther::CountFor(int itemNo) {
    const std::unique_ptr<__FCInciOther> probe(CreateElement());
    int count = 0;
    while (probe && count < kIncidenceLimit && probe->LoadsAt(itemNo, count)) {
        ++count;
    }
    return count;
}

bool __FCCollectionInciOther::DeleteAllFor(int itemNo) {
    const std::unique_ptr<__FCInciOther> probe(CreateElement());
    if (!probe) {
        return false;
    }
    for (int incidence = CountFor(itemNo) - 1; incidence >= 0; --incidence) {
        if (!probe->Load(itemNo, incidence) || !probe->DeleteData()) {
            return false;
        }
    }
    return true;
}

int __FCCollectionInciOther::LoadAllFor(int itemNo) {
    ClearAll();
    const std::unique_ptr<__FCInciOther> probe(CreateElement());
    for (int incidence = 0; probe && incidence < kIncidenceLimit && probe->Load(itemNo, incidence);
         ++incidence) {
        AddCopyOf(*probe);
    }
    return GetCount();
}

bool __FCCollectionInciOther::SaveAllFor(int itemNo) {
    if (!DeleteAllFor(itemNo)) {
        return false;
    }
    for (int index = 0; index < GetCount(); ++index) {
        auto* element = dynamic_cast<__FCInciOther*>(GetItemAt(index));
        if (!element || !element->SaveAs(itemNo)) {
            return false;
        }
    }
    return true;
}
