// The user's selection in the stand-in host and the redraws the plug-in asked for. The redraw
// buffer the host fills carries a mark, so a redraw of a region the host handed out is told
// apart from one of anything else.
#pragma once

#include <cstdint>
#include <vector>

class HostSelection {
public:
    struct Region {
        std::int16_t startStaffList = 0;
        std::int16_t startSlot = 0;
        std::int16_t startMeasure = 0;
        std::int32_t startPosition = 0;
        std::int16_t endStaffList = 0;
        std::int16_t endSlot = 0;
        std::int16_t endMeasure = 0;
        std::int32_t endPosition = 0;

        bool operator==(const Region&) const = default;
    };

    void Select(const Region& region) { selected_ = region; }
    const Region& Selected() const { return selected_; }

    // Fills FX_GetCurERegions' buffers: the selection record into the second, the redraw region
    // into the third.
    void Fill(void* buffer8, void* selection24, void* redraw24) const;
    // Records a redraw; false when the region is not one the host filled.
    bool Redraw(const void* region24);

    const std::vector<Region>& Redraws() const { return redraws_; }
    int UnrecognisedRedraws() const { return unrecognised_; }

private:
    Region selected_;
    std::vector<Region> redraws_;
    int unrecognised_ = 0;
};
