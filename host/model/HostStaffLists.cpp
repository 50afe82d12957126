#include "host/model/HostStaffLists.h"

#include "host/model/HostRecords.h"
#include "hostinterface/RecordBytes.h"

namespace {

namespace StaffList = HostRecords::StaffList;

RecordStore::Found PositionRecord(HostDocument& document, std::int16_t list, int position) {
    return document.StoreFor(StaffList::kTag)
        .Find(StaffList::kTag, static_cast<std::uint16_t>(list),
              static_cast<std::uint16_t>(position), 0);
}

std::int16_t StaffOf(const RecordStore::View& record) {
    return record.size() >= sizeof(std::int16_t) ? record.Word(StaffList::kStaff) : std::int16_t{0};
}

} // namespace

void HostStaffLists::Put(HostDocument& document, std::int16_t list,
                         const std::vector<std::int16_t>& staves) {
    RecordStore& store = document.StoreFor(StaffList::kTag);
    for (int position = 0; PositionRecord(document, list, position); ++position) {
        store.Erase(
            RecordKey{StaffList::kTag,
                      {static_cast<std::uint16_t>(list), static_cast<std::uint16_t>(position), 0}});
    }
    for (std::size_t position = 0; position < staves.size(); ++position) {
        RecordStore::Bytes record(StaffList::kSize);
        RecordBytes::Write(record.data(), StaffList::kStaff, staves[position]);
        store.Put(StaffList::kTag, static_cast<std::uint16_t>(list),
                  static_cast<std::uint16_t>(position), 0, std::move(record));
    }
}

std::int16_t HostStaffLists::StaffAt(HostDocument& document, std::int16_t slot, std::int16_t list) {
    const RecordStore::Found record =
        slot >= 1 ? PositionRecord(document, list, slot - 1) : RecordStore::Found();
    return record ? StaffOf(*record) : std::int16_t{0};
}

std::vector<std::int16_t> HostStaffLists::PartStaves(HostDocument& document) {
    std::vector<std::int16_t> staves;
    for (std::int16_t slot = 1; const std::int16_t staff = StaffAt(document, slot, 0); ++slot) {
        staves.push_back(staff);
    }
    return staves;
}

// Made again from the list's records whenever the part's staff lists have changed; the first
// position of a staff wins.
std::int16_t HostStaffLists::SlotOf(HostDocument& document, std::int16_t staff) {
    const std::uint64_t revision = document.StoreFor(StaffList::kTag).Revision();
    HostDocument::SlotIndex& index = document.CurrentSlotIndex();
    if (index.revision != revision) {
        index.slots.clear();
        for (int position = 0;
             const RecordStore::Found record = PositionRecord(document, 0, position); ++position) {
            if (const std::int16_t listed = StaffOf(*record); listed != 0) {
                index.slots.emplace(listed, static_cast<std::int16_t>(position + 1));
            }
        }
        index.revision = revision;
    }
    const auto found = index.slots.find(staff);
    return found == index.slots.end() ? std::int16_t{0} : found->second;
}
