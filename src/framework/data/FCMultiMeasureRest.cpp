#include "framework/data/FCMultiMeasureRest.h"

#include "framework/data/RecordAccess.h"
#include "platform/IgnoredResult.h"

#include <algorithm>

FCMultiMeasureRest::FCMultiMeasureRest() {
    Width::Set(record_, kNewWidth);
    SetDataSize(kSize);
}

bool FCMultiMeasureRest::LoadFirst() {
    // Measure 0 holds no rest: the look fails, and only sets the keys the walk starts from.
    Ignore(Load(0), Because::GoneEither);
    return LoadNext();
}

// A rest's keys are (first measure, 0); the walk starts after every rest of the measure before
// `first`, and compares keys as unsigned numbers, as the host does. A record the walk finds is
// loaded as Load finds it, so the walk yields what probing each measure would.
bool FCMultiMeasureRest::LoadFirstIn(std::int32_t first, std::int32_t last) {
    std::int16_t keys[3] = {static_cast<std::int16_t>(std::max<std::int32_t>(first, 1) - 1),
                            kNewKey, 0};
    while (RecordAccess::NextRecord(kTag, keys, RecordVersion()) &&
           static_cast<std::uint16_t>(keys[0]) <= last) {
        if (keys[1] == 0 && Load(keys[0])) {
            return true;
        }
    }
    return false;
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
