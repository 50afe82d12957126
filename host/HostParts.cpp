#include "host/HostParts.h"

void HostParts::Add(HostDocument& document, std::uint16_t part) {
    document.StoreFor(kTag).Put(kTag, part, 0, 0, RecordStore::Bytes(kRecordSize));
}

bool HostParts::Exists(HostDocument& document, std::uint16_t part) {
    return document.StoreFor(kTag).Find(kTag, part, 0, 0) != nullptr;
}

std::uint16_t HostParts::Next(HostDocument& document, std::uint16_t part) {
    const auto next = document.StoreFor(kTag).After(RecordKey{kTag, {part, 0, 0}});
    return next ? next->keys[0] : kNoPart;
}

bool HostParts::SwitchTo(HostDocument& document, std::int16_t part) {
    if (!Exists(document, static_cast<std::uint16_t>(part))) {
        return false;
    }
    document.SetCurrentPart(part);
    return true;
}
