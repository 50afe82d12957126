// Spaces one part (or the score) system by system with the spacing mode the user chose: it
// gathers each system's empty measures, multimeasure rests and music measures and gives them
// new widths, and remembers whether it wrote anything.
#pragma once

#include "engine/ClefChangeRoom.h"
#include "engine/FCMultiMeasureRestDistributeCollection.h"
#include "engine/FCMusicMeasuresDistributeCollection.h"
#include "engine/FCSingleMeasRestDistributeCollection.h"
#include "framework/core/FCIteratorHandler.h"
#include "framework/data/FCMultiMeasureRestPrefs.h"
#include "framework/data/FCMusicSpacingPrefs.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class FCMultiMeasureRest;
class FCMusicRegion;
class FCStaffSystem;
class SystemStaves;

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
    // Gives the items their new widths in order and saves each.
    void WriteWidths(FCRestDistributeCollection& collection,
                     const std::vector<std::int16_t>& widths);
    void RespaceMultiMeasureRest(FCMultiMeasureRest& rest, SystemStaves& staves);
    void RespaceSingleMeasure(std::int32_t measure, std::int16_t staff);
    // Switches off the document's automatic multimeasure-rest updating before widths change.
    // Once the part's preferences show it off, it stays off: only this pass writes it.
    void TurnOffAutoUpdate();

    bool IsChanged() const { return changed_; }
    float GetCurrentFactor() const { return currentFactor_; }

private:
    float MusicSpacingFactor() const;
    std::optional<std::int16_t> ClampToMeasureWidths(float width) const;
    // The host's layer count, asked once per part.
    int LayerCount();

    FCMusicSpacingPrefs musicSpacingPrefs_;
    FCMultiMeasureRestPrefs mmRestPrefs_;
    // A system's records as the non-rest mode found them, waiting for the host's respacing.
    struct NonRestSystem {
        explicit NonRestSystem(std::int16_t staff) : singles(staff), rests(staff), music(staff) {}
        FCSingleMeasRestDistributeCollection singles;
        FCMultiMeasureRestDistributeCollection rests;
        FCMusicMeasuresDistributeCollection music;
        // Two or more music measures: the music is rescaled after the host's spacing.
        bool IsRescaled() const;
    };

    void RescaleNonRestMeasures();
    bool RescaleMusic(const FCMusicMeasuresDistributeCollection& music);

    // What the pass learnt of the current part that nothing in the pass can change.
    struct PartReads {
        std::optional<int> layerCount;
        bool autoUpdateOff = false;
        ClefChangeRoom clefChangeRoom;
    };

    std::vector<std::unique_ptr<NonRestSystem>> pendingNonRest_;
    PartReads partReads_;
    bool changed_ = false;
    float currentFactor_ = 1.0f;
};
