#include "host/PartLayout.h"

#include "host/HostDocument.h"
#include "hostinterface/RecordBytes.h"

namespace {

constexpr std::uint32_t kMeasureTag = 0x534F4D53; // SOMS
constexpr std::uint32_t kSystemTag = 0x534F5353;  // SOSS
constexpr std::uint32_t kRestTag = 0x4F025849;    // multimeasure rest

std::int16_t Word(const RecordStore::Bytes& record, std::size_t offset) {
    return RecordBytes::Read<std::int16_t>(record.data(), offset);
}

} // namespace

PartLayout PartLayout::Of(HostDocument& document, std::int16_t part) {
    PartLayout layout;
    RecordStore& store = document.LayoutOf(part);
    store.ForEach(kMeasureTag, [&](const RecordKey&, const RecordStore::Bytes& record) {
        layout.widths.push_back(Word(record, 0));
    });
    store.ForEach(kSystemTag, [&](const RecordKey&, const RecordStore::Bytes& record) {
        layout.systems.push_back({Word(record, 8), Word(record, 12), Word(record, 10),
                                  RecordBytes::Read<std::int32_t>(record.data(), 14)});
    });
    store.ForEach(kRestTag, [&](const RecordKey& key, const RecordStore::Bytes& record) {
        layout.rests.push_back({static_cast<std::int16_t>(key.keys[0]), Word(record, 2),
                                Word(record, 0), Word(record, 10), Word(record, 18),
                                Word(record, 22)});
    });
    return layout;
}

std::vector<std::int16_t> PartLayout::SystemStarts() const {
    std::vector<std::int16_t> starts;
    for (std::size_t i = 1; i < systems.size(); ++i) {
        starts.push_back(systems[i].first);
    }
    return starts;
}
