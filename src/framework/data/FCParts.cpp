#include "framework/data/FCParts.h"

#include "binding/HostApi.h"
#include "framework/data/FCPart.h"

#include <memory>

namespace {

// What the host answers for "the part after the last one".
constexpr std::uint16_t kNoMorePart = 0xFFFF;

// The part the host lists after this one; a host that cannot list parts lists none.
std::uint16_t NextPart(std::uint16_t id) {
    return HostApi::IsAvailable(HostFunction::FX_GetNextPartID) ? HostApi::GetNextPartID(id)
                                                                : kNoMorePart;
}

} // namespace

int FCParts::LoadAll() {
    ClearAll();
    for (std::uint16_t id = 0; id != kNoMorePart; id = NextPart(id)) {
        auto part = std::make_unique<FCPart>(id);
        if (!part->Load(part->GetPartID())) {
            break;
        }
        Add(part.release());
    }
    return GetCount();
}

int FCParts::ForEachPart(FCIteratorHandler* handler) {
    int count = 0;
    for (int index = 0; index < GetCount(); ++index) {
        auto* part = static_cast<FCPart*>(GetItemAt(index));
        if (!part) {
            continue;
        }
        part->SwitchTo();
        const bool goOn = handler->Iterate(part);
        part->SwitchBack();
        if (!goOn) {
            break;
        }
        ++count;
    }
    handler->IterationEnded();
    return count;
}
