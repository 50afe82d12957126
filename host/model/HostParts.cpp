#include "host/model/HostParts.h"

#include "host/model/HostRecords.h"

namespace {

namespace Part = HostRecords::Part;

} // namespace

void HostParts::Add(HostDocument& document, std::uint16_t part) {
    document.StoreFor(Part::kTag).Put(Part::kTag, part, 0, 0, RecordStore::Bytes(Part::kSize));
}

bool HostParts::Exists(HostDocument& document, std::uint16_t part) {
    return document.StoreFor(Part::kTag).Find(Part::kTag, part, 0, 0) != nullptr;
}

std::uint16_t HostParts::Next(HostDocument& document, std::uint16_t part) {
    const auto next = document.StoreFor(Part::kTag).After(RecordKey{Part::kTag, {part, 0, 0}});
    return next ? next->keys[0] : kNoPart;
}

std::vector<std::int16_t> HostParts::All(HostDocument& document) {
    std::vector<std::int16_t> parts;
    for (std::uint16_t id = 0; id != kNoPart && Exists(document, id); id = Next(document, id)) {
        parts.push_back(static_cast<std::int16_t>(id));
    }
    return parts;
}

bool HostParts::SwitchTo(HostDocument& document, std::int16_t part) {
    if (!Exists(document, static_cast<std::uint16_t>(part))) {
        return false;
    }
    document.SetCurrentPart(part);
    return true;
}
