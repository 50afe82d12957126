// What a region needs to know of a staff system to cover it: its measures, its staff list and
// how many staves it has. The document's staff system provides it, so the region reaches no
// further into the document than this.
#pragma once

#include <cstdint>

class StaffSystemExtent {
public:
    virtual ~StaffSystemExtent() = default;

    // The system's first measure; 0 while the host has not laid out the system.
    virtual std::int16_t GetStartMeasure() const = 0;
    // The measure after the system's last measure.
    virtual std::int16_t GetNextMeasure() const = 0;
    // The item number under which the system's staves are listed.
    virtual std::int16_t GetStaffListKey() const = 0;
    // How many staves the host lists for the system.
    virtual int CountSystemStaves() const = 0;
};
