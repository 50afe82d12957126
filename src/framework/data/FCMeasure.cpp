#include "framework/data/FCMeasure.h"

#include "binding/PluginState.h"

bool FCMeasure::UsesLongLayout() {
    return hostVersion >= kLongLayoutVersion;
}

void* FCMeasure::GetRecordBuffer() {
    return UsesLongLayout() ? static_cast<void*>(longRecord_) : static_cast<void*>(shortRecord_);
}

std::uint32_t FCMeasure::RecordVersion() const {
    return UsesLongLayout() ? kLongLayoutVersion : kShortLayoutVersion;
}

std::int32_t FCMeasure::RecordSize() const {
    return UsesLongLayout() ? kLongSize : kShortSize;
}

bool FCMeasure::Load(int measure) {
    return measure != 0 && __FCNoInciOther::Load(measure);
}

std::int16_t FCMeasure::GetWidth() const {
    return Width::Get(RecordData());
}

void FCMeasure::SetWidth(std::int16_t width) {
    Width::Set(RecordData(), width);
}
