// Spaces one part (or the score) system by system with the spacing mode the user chose: it
// gathers each system's empty measures, multimeasure rests and music measures and gives them
// new widths, and remembers whether it wrote anything.
#pragma once

#include "engine/FCMultiMeasureRestDistributeCollection.h"
#include "engine/FCMusicMeasuresDistributeCollection.h"
#include "engine/FCSingleMeasRestDistributeCollection.h"
#include "framework/core/FCIteratorHandler.h"
#include "framework/data/FCMultiMeasureRestPrefs.h"
#include "framework/data/FCMusicSpacingPrefs.h"

#include <cstdint>
#include <memory>
#include <vector>

class FCMultiMeasureRest;
class FCMusicRegion;
class FCStaffSystem;

class FCPartProcessor : public FCIteratorHandler {
public:
    FCPartProcessor();

    // Spaces the part given, or with null the score or part now current, limited to the user's
    // selection. Always true, so a part walk goes on.
    bool Iterate(__FCBase* part) override;

    void SpaceSystem(FCStaffSystem& system, const FCMusicRegion& systemRegion,
                     const FCMusicRegion& selection);
    void RedistributeRestSpace(FCStaffSystem& system, const FCMusicRegion& systemRegion,
                               const FCMusicRegion& selection);
    void RespaceWithNewValues(FCStaffSystem& system, const FCMusicRegion& systemRegion,
                              const FCMusicRegion& selection);
    void RedistributeNonRestMeasures(FCStaffSystem& system, const FCMusicRegion& systemRegion,
                                     const FCMusicRegion& selection);

    // Shares the collection's total width among its items by duration, with currentFactor.
    void RedistributeCollection(FCRestDistributeCollection& collection);
    void RespaceMultiMeasureRest(FCMultiMeasureRest& rest, const FCMusicRegion& systemRegion);
    void RespaceSingleMeasure(std::int32_t measure, std::int16_t staff);
    // Switches off the document's automatic multimeasure-rest updating before widths change.
    void TurnOffAutoUpdate();

    bool IsChanged() const { return changed_; }
    float GetCurrentFactor() const { return currentFactor_; }

private:
    float MusicSpacingFactor() const;
    std::int32_t ClampToMeasureWidths(std::int32_t width) const;

    FCMusicSpacingPrefs musicSpacingPrefs_;
    FCMultiMeasureRestPrefs mmRestPrefs_;
    // A system's records as the non-rest mode found them, waiting for the host's respacing.
    struct NonRestSystem {
        explicit NonRestSystem(const FCMusicRegion& region)
            : singles(region), rests(region), music(region) {}
        FCSingleMeasRestDistributeCollection singles;
        FCMultiMeasureRestDistributeCollection rests;
        FCMusicMeasuresDistributeCollection music;
    };

    void RescaleNonRestMeasures();

    std::vector<std::unique_ptr<NonRestSystem>> pendingNonRest_;
    bool changed_ = false;
    float currentFactor_ = 1.0f;
};
