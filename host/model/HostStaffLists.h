// The document's staff lists as the host keeps them: list item L holds one SOIu record per
// position (keys (L, position), positions from 0) whose first 16-bit word is the staff ID. Slot s
// of a list is its position s - 1; list 0 is the score's list.
#pragma once

#include "host/model/HostDocument.h"

#include <cstdint>
#include <vector>

namespace HostStaffLists {

// Replaces the staff list's records with one per staff, in order.
void Put(HostDocument& document, std::int16_t list, const std::vector<std::int16_t>& staves);
// The staff at a 1-based slot of a list; 0 when there is none.
std::int16_t StaffAt(HostDocument& document, std::int16_t slot, std::int16_t list);
// The staves of list 0, slot by slot up to the first empty one.
std::vector<std::int16_t> PartStaves(HostDocument& document);
// The 1-based slot of a staff in the score's list; 0 when the staff is not in it.
std::int16_t SlotOf(HostDocument& document, std::int16_t staff);

} // namespace HostStaffLists
