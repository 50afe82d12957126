#include "framework/data/FCMusicSpacingPrefs.h"

#include <iterator>

namespace {

using namespace CompositeRows;

constexpr ComponentId kSpacing0{{'9', '4'}, 0, 0};
constexpr ComponentId kSpacing1{{'9', '4'}, 0, 1};
constexpr ComponentId kSpacing2{{'9', '4'}, 0, 2};
constexpr ComponentId kLayout2{{'4', '1'}, 0, 2};

constexpr CompositeRow kComposition[] = {
    Word(kSpacing0, 0, 0),  Word(kSpacing0, 1, 2),  Word(kSpacing0, 2, 4),  Word(kSpacing0, 3, 6),
    Word(kSpacing0, 4, 8),  Word(kSpacing0, 5, 10), Word(kSpacing1, 0, 12), Word(kSpacing1, 1, 14),
    Word(kSpacing1, 2, 16), Word(kSpacing1, 3, 18), Word(kSpacing1, 4, 20), Word(kSpacing1, 5, 22),
    Word(kSpacing2, 0, 24), Word(kSpacing2, 2, 26), Word(kSpacing2, 4, 28), Word(kLayout2, 2, 30),
    Word(kLayout2, 3, 32),
};
static_assert(std::size(kComposition) == 17 && IsWellFormed(kComposition) &&
              SizeOf(kComposition) == FCMusicSpacingPrefs::kSize);

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
