#include "framework/data/FCMultiMeasureRestPrefs.h"

#include <iterator>

namespace {

using namespace CompositeRows;

constexpr ComponentId kRest0{{'2', '5'}, 0, 0};
constexpr ComponentId kRest1{{'2', '5'}, 0, 1};
constexpr ComponentId kUpdate{{'8', '3'}, 0, 0};

constexpr CompositeRow kComposition[] = {
    Word(kRest0, 0, 0),   Word(kRest0, 1, 2),  Word(kRest0, 2, 4),  Word(kRest0, 3, 6),
    Word(kRest0, 4, 8),   Word(kRest0, 5, 10), Word(kRest1, 0, 12), Word(kRest1, 1, 14),
    Word(kRest1, 2, 16),  Word(kRest1, 3, 18), Word(kRest1, 4, 20), Word(kRest1, 5, 22),
    Word(kUpdate, 4, 24),
};
static_assert(std::size(kComposition) == 13 && IsWellFormed(kComposition) &&
              SizeOf(kComposition) == FCMultiMeasureRestPrefs::kSize);

} // namespace

FCMultiMeasureRestPrefs::FCMultiMeasureRestPrefs() : __FCPrefsBase(kComposition) {}

std::int16_t FCMultiMeasureRestPrefs::GetMeasureWidth() const {
    return MeasureWidth::Get(RecordData());
}

std::int16_t FCMultiMeasureRestPrefs::GetRestAdjust() const {
    return RestAdjust::Get(RecordData());
}

bool FCMultiMeasureRestPrefs::GetAutoUpdate() const {
    return AutoUpdate::Get(RecordData()) != 0;
}

void FCMultiMeasureRestPrefs::SetAutoUpdate(bool on) {
    AutoUpdate::Set(RecordData(), on ? 1 : 0);
}
