#include "host/model/HostDocument.h"

#include "host/model/HostRecords.h"
#include "hostinterface/RecordBytes.h"

#include <algorithm>

namespace {

// The records each part has of its own; the staff lists are those of the part and its systems.
constexpr std::uint32_t kLayoutTags[] = {
    HostRecords::Measure::kTag,   HostRecords::System::kTag,    HostRecords::Rest::kTag,
    HostRecords::StaffList::kTag, HostRecords::StaffSize::kTag,
};

constexpr std::size_t WordOffset(std::size_t word) {
    return word * sizeof(std::uint16_t);
}

} // namespace

RecordStore& HostDocument::StoreFor(std::uint32_t tag) {
    return IsLayoutTag(tag) ? layouts_[currentPart_] : shared_;
}

bool HostDocument::IsLayoutTag(std::uint32_t tag) {
    return std::find(std::begin(kLayoutTags), std::end(kLayoutTags), tag) != std::end(kLayoutTags);
}

void HostDocument::ShrinkToFit() {
    shared_.ShrinkToFit();
    for (auto& [part, layout] : layouts_) {
        layout.ShrinkToFit();
    }
}

std::uint32_t HostDocument::ComponentTag(const char* code) {
    return HostRecords::Component::TagOf(code);
}

void HostDocument::PutComponent(const char* code, std::uint16_t key1, std::uint16_t key2,
                                const ComponentWords& words) {
    RecordStore::Bytes bytes(HostRecords::Component::kSize);
    for (std::size_t word = 0; word < words.size(); ++word) {
        RecordBytes::Write(bytes.data(), WordOffset(word), words[word]);
    }
    shared_.Put(ComponentTag(code), key1, key2, 0, std::move(bytes));
}

HostDocument::ComponentWords HostDocument::ComponentAt(const char* code, std::uint16_t key1,
                                                       std::uint16_t key2) const {
    ComponentWords words{};
    const RecordStore::Found bytes = shared_.Find(ComponentTag(code), key1, key2, 0);
    if (!bytes) {
        return words;
    }
    for (std::size_t word = 0;
         word < words.size() && WordOffset(word) + sizeof(std::uint16_t) <= bytes->size(); ++word) {
        words[word] = RecordBytes::Read<std::uint16_t>(bytes->data(), WordOffset(word));
    }
    return words;
}

const PartFlow::LaidOut* HostDocument::LaidOut(std::int16_t part) const {
    const auto units = laidOut_.find(part);
    return units == laidOut_.end() ? nullptr : &units->second;
}
