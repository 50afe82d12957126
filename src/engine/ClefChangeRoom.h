// Gives a multimeasure rest room for a clef change that opens the measure after it: its
// restAdjust is raised until the allowance it yields covers the clef. The preferences it needs
// are loaded once, at the first rest that may need room: a pass never writes them.
#pragma once

#include <cstdint>
#include <optional>

class FCMultiMeasureRestDistributeCollection;
class FCStaffSystem;
class SystemStaves;

class ClefChangeRoom {
public:
    void MakeRoomForClefChanges(const FCStaffSystem& system, SystemStaves& staves,
                                FCMultiMeasureRestDistributeCollection& rests);

    struct Preferences {
        std::int32_t restAdjust;
        std::int32_t clefPercentDefault;
        std::int32_t clefDistance;
    };

private:
    const Preferences& LoadedPreferences();

    std::optional<Preferences> preferences_;
};
