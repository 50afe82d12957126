#include "host/HostDocument.h"

#include "host/HostRecords.h"

#include <algorithm>

namespace {

// The records each part has of its own; the staff lists are those of the part and its systems.
constexpr std::uint32_t kLayoutTags[] = {
    HostRecords::Measure::kTag,   HostRecords::System::kTag,    HostRecords::Rest::kTag,
    HostRecords::StaffList::kTag, HostRecords::StaffSize::kTag,
};

} // namespace

RecordStore& HostDocument::StoreFor(std::uint32_t tag) {
    return IsLayoutTag(tag) ? layouts_[currentPart_] : shared_;
}

bool HostDocument::IsLayoutTag(std::uint32_t tag) {
    return std::find(std::begin(kLayoutTags), std::end(kLayoutTags), tag) != std::end(kLayoutTags);
}

std::uint32_t HostDocument::ComponentTag(const char* code) {
    return HostRecords::Component::TagOf(code);
}

void HostDocument::PutComponent(const char* code, std::uint16_t key1, std::uint16_t key2,
                                const ComponentWords& words) {
    RecordStore::Bytes bytes(HostRecords::Component::kSize);
    for (std::size_t word = 0; word < words.size(); ++word) {
        bytes[2 * word] = static_cast<unsigned char>(words[word] & 0xFF);
        bytes[2 * word + 1] = static_cast<unsigned char>(words[word] >> 8);
    }
    shared_.Put(ComponentTag(code), key1, key2, 0, std::move(bytes));
}

HostDocument::ComponentWords HostDocument::ComponentAt(const char* code, std::uint16_t key1,
                                                       std::uint16_t key2) const {
    ComponentWords words{};
    const RecordStore::Bytes* bytes = shared_.Find(ComponentTag(code), key1, key2, 0);
    if (!bytes) {
        return words;
    }
    for (std::size_t word = 0; word < words.size() && 2 * word + 1 < bytes->size(); ++word) {
        words[word] =
            static_cast<std::uint16_t>((*bytes)[2 * word] | ((*bytes)[2 * word + 1] << 8));
    }
    return words;
}
