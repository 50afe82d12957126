#include "framework/data/FCMusicSpacingPrefs.h"

namespace {

using namespace CompositeRows;

// ot94 incidence 2 gives every other word.
constexpr FieldRun kRuns[] = {{Ot("94", 0, 0), 0, 6}, {Ot("94", 0, 1), 0, 6},
                              {Ot("94", 0, 2), 0, 1}, {Ot("94", 0, 2), 2, 1},
                              {Ot("94", 0, 2), 4, 1}, {Ot("41", 0, 2), 2, 2}};
constexpr auto kComposition = LayOut<17>(kRuns);
static_assert(IsWellFormed(kComposition) && SizeOf(kComposition) == FCMusicSpacingPrefs::kSize);

constexpr double kRatioScale = 10000.0;

} // namespace

FCMusicSpacingPrefs::FCMusicSpacingPrefs() : __FCPrefsBase(kComposition) {}

std::int16_t FCMusicSpacingPrefs::GetMinimumWidth() const {
    return MinimumWidth::Get(RecordData());
}

std::int16_t FCMusicSpacingPrefs::GetMaximumWidth() const {
    return MaximumWidth::Get(RecordData());
}

float FCMusicSpacingPrefs::GetSpacingRatio() const {
    const std::int32_t value = RatioHigh::Get(RecordData()) * 65536 + RatioLow::Get(RecordData());
    // Divided in double precision, then rounded once to single precision.
    return static_cast<float>(value / kRatioScale);
}
