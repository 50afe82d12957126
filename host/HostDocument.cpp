#include "host/HostDocument.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kLayoutTags[] = {
    0x534F4D53, // SOMS: measures
    0x534F5353, // SOSS: staff systems
    0x4F025849, // multimeasure rests
    0x534F4975, // SOIu: staff lists of the part and of its systems
    0x64744C50, // dtLP: staff sizes in a system
};

constexpr std::size_t kComponentSize = 12;

} // namespace

RecordStore& HostDocument::StoreFor(std::uint32_t tag) {
    return IsLayoutTag(tag) ? layouts_[currentPart_] : shared_;
}

bool HostDocument::IsLayoutTag(std::uint32_t tag) {
    return std::find(std::begin(kLayoutTags), std::end(kLayoutTags), tag) != std::end(kLayoutTags);
}

std::uint32_t HostDocument::ComponentTag(const char* code) {
    return 0x6F740000u | static_cast<std::uint32_t>(static_cast<unsigned char>(code[0]) << 8) |
           static_cast<unsigned char>(code[1]);
}

void HostDocument::PutComponent(const char* code, std::uint16_t key1, std::uint16_t key2,
                                const ComponentWords& words) {
    RecordStore::Bytes bytes(kComponentSize);
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
