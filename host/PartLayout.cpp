#include "host/PartLayout.h"

#include "host/HostDocument.h"
#include "host/HostRecords.h"
#include "hostinterface/RecordBytes.h"

namespace {

namespace Records = HostRecords;

std::int16_t Word(const RecordStore::View& record, std::size_t offset) {
    return RecordBytes::Read<std::int16_t>(record.data(), offset);
}

} // namespace

PartLayout PartLayout::Of(HostDocument& document, std::int16_t part) {
    PartLayout layout;
    RecordStore& store = document.LayoutOf(part);
    store.ForEach(Records::Measure::kTag, [&](const RecordKey&, const RecordStore::View& record) {
        layout.widths.push_back(Word(record, Records::Measure::kWidth));
    });
    store.ForEach(Records::System::kTag, [&](const RecordKey&, const RecordStore::View& record) {
        layout.systems.push_back(
            {Word(record, Records::System::kFirst), Word(record, Records::System::kNext),
             Word(record, Records::System::kFlags),
             RecordBytes::Read<std::int32_t>(record.data(), Records::System::kScaling)});
    });
    store.ForEach(Records::Rest::kTag, [&](const RecordKey& key, const RecordStore::View& record) {
        layout.rests.push_back(
            {static_cast<std::int16_t>(key.keys[0]), Word(record, Records::Rest::kNext),
             Word(record, Records::Rest::kWidth), Word(record, Records::Rest::kCountLimit),
             Word(record, Records::Rest::kRestAdjust), Word(record, Records::Rest::kFlags)});
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
