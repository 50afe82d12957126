// Gives a multimeasure rest room for a clef change that opens the measure after it: its
// restAdjust is raised until the allowance it yields covers the clef.
#pragma once

class FCMultiMeasureRestDistributeCollection;
class FCMusicRegion;
class FCStaffSystem;

class ClefChangeRoom {
public:
    static void MakeRoomForClefChanges(const FCStaffSystem& system,
                                       const FCMusicRegion& systemRegion,
                                       FCMultiMeasureRestDistributeCollection& rests);
};
