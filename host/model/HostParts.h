// The score and the linked parts of the stand-in host's document: each is an otpD record keyed
// by its part ID (0 for the score) with its own layout records.
#pragma once

#include "host/model/HostDocument.h"

#include <cstdint>
#include <vector>

namespace HostParts {

// The answer for "the part after the last one".
inline constexpr std::uint16_t kNoPart = 0xFFFF;

// Adds the part's record (the score is part 0).
void Add(HostDocument& document, std::uint16_t part);
bool Exists(HostDocument& document, std::uint16_t part);
// The part with the next higher ID, or kNoPart.
std::uint16_t Next(HostDocument& document, std::uint16_t part);
// Every part's ID in ascending order, the score (0) first.
std::vector<std::int16_t> All(HostDocument& document);
// Makes an existing part current; false for any other ID.
bool SwitchTo(HostDocument& document, std::int16_t part);

} // namespace HostParts
