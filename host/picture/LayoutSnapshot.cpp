#include "host/picture/LayoutSnapshot.h"

#include "host/HostParts.h"
#include "host/HostStaffLists.h"
#include "host/StandInHost.h"
#include "hostinterface/RecordBytes.h"

namespace {

constexpr std::uint32_t kMeasureTag = 0x534F4D53; // SOMS
constexpr std::uint32_t kSystemTag = 0x534F5353;  // SOSS
constexpr std::uint32_t kRestTag = 0x4F025849;    // multimeasure rest
constexpr std::size_t kSystemStart = 8;
constexpr std::size_t kSystemNext = 12;
constexpr std::size_t kRestNext = 2;

std::int16_t Word(const RecordStore::Bytes& record, std::size_t offset) {
    return RecordBytes::Read<std::int16_t>(record.data(), offset);
}

const RecordStore::Bytes* Item(RecordStore& layout, std::uint32_t tag, std::int32_t item) {
    return layout.Find(tag, static_cast<std::uint16_t>(item), 0, 0);
}

std::vector<std::int16_t> PartStaves(HostDocument& document) {
    std::vector<std::int16_t> staves;
    for (std::int16_t slot = 1;
         const std::int16_t staff = HostStaffLists::StaffAt(document, slot, 0); ++slot) {
        staves.push_back(staff);
    }
    return staves;
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
    RecordStore& layout = document.StoreFor(kMeasureTag);
    LayoutSnapshot::Part part{id, {}, {}, {}};
    const std::vector<std::int16_t> staves = PartStaves(document);
    for (std::int32_t measure = 1;
         const RecordStore::Bytes* record = Item(layout, kMeasureTag, measure); ++measure) {
        part.measures.push_back({Word(*record, 0), IsEmpty(host.Music(), staves, measure)});
    }
    for (std::int32_t system = 1;
         const RecordStore::Bytes* record = Item(layout, kSystemTag, system); ++system) {
        if (Word(*record, kSystemStart) > 0) {
            part.systems.push_back({Word(*record, kSystemStart), Word(*record, kSystemNext) - 1});
        }
    }
    for (std::int32_t first = 1; first <= static_cast<std::int32_t>(part.measures.size());
         ++first) {
        if (const RecordStore::Bytes* record = Item(layout, kRestTag, first)) {
            part.rests.push_back({first, Word(*record, kRestNext) - 1, Word(*record, 0)});
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
    for (std::uint16_t id = 0; id != HostParts::kNoPart && HostParts::Exists(document, id);
         id = HostParts::Next(document, id)) {
        document.SetCurrentPart(static_cast<std::int16_t>(id));
        snapshot.parts.push_back(TakePart(host, static_cast<std::int16_t>(id)));
    }
    document.SetCurrentPart(current);
    return snapshot;
}
