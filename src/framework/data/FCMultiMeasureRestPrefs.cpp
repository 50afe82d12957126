#include "framework/data/FCMultiMeasureRestPrefs.h"

namespace {

using namespace CompositeRows;

constexpr FieldRun kRuns[] = {{Ot("25", 0, 0), 0, 6}, {Ot("25", 0, 1), 0, 6}, {Ot("83"), 4, 1}};
constexpr auto kComposition = LayOut<13>(kRuns);
static_assert(IsWellFormed(kComposition) && SizeOf(kComposition) == FCMultiMeasureRestPrefs::kSize);

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
