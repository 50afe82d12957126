// The host calls of the cheapest pass that makes the same writes, counted from a pass's call log
// with the host's answers kept. Every write, command, layout update and part switch counts as
// made; every other read once, and again only after a call that can change its answer (a save
// of its record kind, the music-spacing command for measures and rests, a layout update for
// systems and staff lists, a switch of part for everything but the document number). Three
// reads are counted as the economical pass makes them:
// - a cell's layers are loaded in order only until one holds an entry (or cannot be had), and
//   each frame loaded is released once;
// - the multimeasure rests of a system are walked: a step and a load for each rest, and one
//   step per system that ends the walk;
// - a staff-size record is never read (no write depends on it).
#pragma once

#include "host/standin/HostCall.h"

#include <cstddef>
#include <vector>

namespace CallFloor {

std::size_t Of(const std::vector<HostCall>& calls);

} // namespace CallFloor
