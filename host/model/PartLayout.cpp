#include "host/model/PartLayout.h"

#include "host/model/HostDocument.h"
#include "host/model/HostRecords.h"
#include "hostinterface/RecordBytes.h"

#include <set>

namespace {

namespace Records = HostRecords;

} // namespace

PartLayout PartLayout::Of(HostDocument& document, std::int16_t part) {
    PartLayout layout;
    RecordStore& store = document.LayoutOf(part);
    store.ForEach(Records::Measure::kTag, [&](const RecordKey&, const RecordStore::View& record) {
        layout.widths.push_back(record.Word(Records::Measure::kWidth));
    });
    store.ForEach(Records::System::kTag, [&](const RecordKey&, const RecordStore::View& record) {
        layout.systems.push_back(
            {record.Word(Records::System::kFirst), record.Word(Records::System::kNext),
             record.Word(Records::System::kFlags),
             RecordBytes::Read<std::int32_t>(record.data(), Records::System::kScaling)});
    });
    store.ForEach(Records::Rest::kTag, [&](const RecordKey& key, const RecordStore::View& record) {
        layout.rests.push_back(
            {static_cast<std::int16_t>(key.keys[0]), record.Word(Records::Rest::kNext),
             record.Word(Records::Rest::kWidth), record.Word(Records::Rest::kCountLimit),
             record.Word(Records::Rest::kRestAdjust), record.Word(Records::Rest::kFlags)});
    });
    return layout;
}

std::vector<std::int16_t> PartLayout::SystemStarts() const {
    std::set<std::int32_t> unitStarts;
    for (const PartFlow::Unit& unit : Units()) {
        unitStarts.insert(unit.first);
    }
    std::vector<std::int16_t> starts;
    for (std::size_t i = 1; i < systems.size(); ++i) {
        if (unitStarts.count(systems[i].first) != 0) {
            starts.push_back(systems[i].first);
        }
    }
    return starts;
}

PartFlow::Units PartLayout::Units() const {
    PartFlow::Units restUnits;
    for (const Rest& rest : rests) {
        restUnits.push_back({rest.first, rest.next, rest.width});
    }
    return PartFlow::UnitsOf(widths, restUnits);
}

PartFlow::Spans PartLayout::PlacedSystems() const {
    PartFlow::Spans placed;
    for (const System& system : systems) {
        if (system.first > 0) {
            placed.emplace_back(system.first, system.next);
        }
    }
    return placed;
}
