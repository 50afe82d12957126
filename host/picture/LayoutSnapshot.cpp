#include "host/picture/LayoutSnapshot.h"

#include "host/HostParts.h"
#include "host/HostRecords.h"
#include "host/HostStaffLists.h"
#include "host/StandInHost.h"

namespace {

namespace Measure = HostRecords::Measure;
namespace System = HostRecords::System;
namespace Rest = HostRecords::Rest;

RecordStore::Found Item(RecordStore& layout, std::uint32_t tag, std::int32_t item) {
    return layout.Find(tag, static_cast<std::uint16_t>(item), 0, 0);
}

bool IsEmpty(const HostMusic& music, const std::vector<std::int16_t>& staves,
             std::int32_t measure) {
    for (const std::int16_t staff : staves) {
        if (music.HoldsEntries(staff, static_cast<std::int16_t>(measure))) {
            return false;
        }
    }
    return true;
}

// The current part's layout.
LayoutSnapshot::Part TakePart(StandInHost& host, std::int16_t id) {
    HostDocument& document = host.Document();
    RecordStore& layout = document.StoreFor(Measure::kTag);
    LayoutSnapshot::Part part{id, {}, {}, {}};
    const std::vector<std::int16_t> staves = HostStaffLists::PartStaves(document);
    for (std::int32_t measure = 1;
         const RecordStore::Found record = Item(layout, Measure::kTag, measure); ++measure) {
        part.measures.push_back(
            {record->Word(Measure::kWidth), IsEmpty(host.Music(), staves, measure)});
    }
    for (std::int32_t system = 1;
         const RecordStore::Found record = Item(layout, System::kTag, system); ++system) {
        if (record->Word(System::kFirst) > 0) {
            part.systems.push_back({record->Word(System::kFirst), record->Word(System::kNext) - 1});
        }
    }
    for (std::int32_t first = 1; first <= static_cast<std::int32_t>(part.measures.size());
         ++first) {
        if (const RecordStore::Found record = Item(layout, Rest::kTag, first)) {
            part.rests.push_back({first, record->Word(Rest::kNext) - 1, record->Word(Rest::kWidth),
                                  record->Word(Rest::kRestAdjust)});
        }
    }
    return part;
}

} // namespace

LayoutSnapshot LayoutSnapshot::Take(StandInHost& host) {
    HostDocument& document = host.Document();
    const std::int16_t current = document.CurrentPart();
    LayoutSnapshot snapshot;
    snapshot.systemWidth = host.Layout().SystemWidth();
    snapshot.terms = host.Terms();
    for (const std::int16_t id : HostParts::All(document)) {
        document.SetCurrentPart(id);
        snapshot.parts.push_back(TakePart(host, id));
    }
    document.SetCurrentPart(current);
    return snapshot;
}
