#include "framework/data/FCMultiMeasureRest.h"

#include "binding/IgnoredResult.h"

FCMultiMeasureRest::FCMultiMeasureRest() {
    Width::Set(record_, kNewWidth);
    SetDataSize(kSize);
}

bool FCMultiMeasureRest::LoadFirst() {
    // Measure 0 holds no rest: the look fails, and only sets the keys the walk starts from.
    Ignore(Load(0), Because::GoneEither);
    return LoadNext();
}

std::int16_t FCMultiMeasureRest::GetWidth() const {
    return Width::Get(RecordData());
}

void FCMultiMeasureRest::SetWidth(std::int16_t width) {
    Width::Set(RecordData(), width);
}

std::int16_t FCMultiMeasureRest::GetNextMeasure() const {
    return NextMeasure::Get(RecordData());
}

void FCMultiMeasureRest::SetNextMeasure(std::int16_t measure) {
    NextMeasure::Set(RecordData(), measure);
}

std::int16_t FCMultiMeasureRest::GetCountLimit() const {
    return CountLimit::Get(RecordData());
}

void FCMultiMeasureRest::SetCountLimit(std::int16_t limit) {
    CountLimit::Set(RecordData(), limit);
}

std::int16_t FCMultiMeasureRest::GetRestAdjust() const {
    return RestAdjust::Get(RecordData());
}

void FCMultiMeasureRest::SetRestAdjust(std::int16_t adjust) {
    RestAdjust::Set(RecordData(), adjust);
}

std::uint16_t FCMultiMeasureRest::GetRestFlags() const {
    return RestFlags::Get(RecordData());
}

void FCMultiMeasureRest::SetRestFlags(std::uint16_t flags) {
    RestFlags::Set(RecordData(), flags);
}
