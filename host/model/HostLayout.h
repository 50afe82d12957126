// The host's engraving of the music: measure durations from the meters, the layout update that
// flows measures into staff systems, and the music-spacing menu command, a simple deterministic
// spacing of the selected measures.
#pragma once

#include <cstdint>
#include <vector>

class HostDocument;
class HostMusic;
class HostSelection;

class HostLayout {
public:
    // 1024 duration units to a quarter note.
    static constexpr std::int32_t kQuarterNote = 1024;
    static constexpr std::int32_t kMusicSpacingCommand = 12106;
    // Measures before the first meter of a score are in 4/4.
    static constexpr std::int32_t kCommonTime = 4 * kQuarterNote;
    // The meters a score holds: at most 64 beats, of at most a 64th note.
    static constexpr std::int32_t kMostBeats = 64;
    static constexpr std::int32_t kShortestBeatValue = 64;
    // A system's width where the score names none, and the narrowest a score may name.
    static constexpr std::int32_t kDefaultSystemWidth = 1600;
    static constexpr std::int32_t kNarrowestSystemWidth = 100;
    // The widest a measure or system may be: the host keeps widths in 16-bit fields.
    static constexpr std::int32_t kWidestWidth = 32767;

    // The meter of a measure as beats of a note value (4/4, 6/8, ...).
    static std::int32_t MeterDuration(std::int32_t beats, std::int32_t beatValue);

    // The widths music spacing gives a measure whose busiest staff holds so many entries and a
    // multimeasure rest that spans so many measures. Both are held at the widest width the
    // 16-bit field can store: a crowded measure or a long rest is widest, never negative.
    static std::int16_t MusicWidth(int entries);
    static std::int16_t RestWidth(std::int32_t span);

    void SetDurations(std::vector<std::int32_t> durations) { durations_ = std::move(durations); }
    // The duration of a measure (from 1); 0 for a measure that does not exist.
    std::int32_t Duration(std::int32_t measure) const;
    std::int32_t MeasureCount() const { return static_cast<std::int32_t>(durations_.size()); }

    std::int32_t SystemWidth() const { return systemWidth_; }
    void SetSystemWidth(std::int32_t width) { systemWidth_ = width; }

    // Lays out the current part again (PartFlow: a multimeasure rest is one unit in place of its
    // measures; systems whose contents did not change, or that still fit and leave no room, are
    // kept; the others are flowed): the part's system records are rewritten, created or deleted
    // to match.
    void Update(HostDocument& document);
    int UpdateCount() const { return updates_; }

    // Music spacing of the selected measures of the current part: each measure gets its
    // MusicWidth, and a multimeasure rest that starts in the selection its RestWidth.
    void SpaceSelectedMusic(HostDocument& document, const HostMusic& music,
                            const HostSelection& selection);
    int MusicSpacingCount() const { return musicSpacings_; }

private:
    std::vector<std::int32_t> durations_;
    std::int32_t systemWidth_ = kDefaultSystemWidth;
    int updates_ = 0;
    int musicSpacings_ = 0;
};
