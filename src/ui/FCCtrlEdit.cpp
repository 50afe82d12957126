#include "ui/FCCtrlEdit.h"

#include "binding/HostApi.h"
#include "framework/core/LeadingInteger.h"
#include "framework/core/MeasurementUnit.h"
#include "platform/IgnoredResult.h"

namespace {

constexpr std::int16_t kInteger = 3;

} // namespace

double FCCtrlEdit::GetMeasurement() {
    if (!IsLive()) {
        return CachedText().GetMeasurement(kUnitDefault);
    }
    double evpus = 0;
    Ignore(HostApi::GetDlgItemUser(ParentHandle(), GetControlID(), &evpus), Because::Prefilled);
    return evpus;
}

void FCCtrlEdit::SetMeasurement(double evpus) {
    if (!IsLive()) {
        CachedTextToSet().SetMeasurement(static_cast<float>(evpus), kUnitDefault);
        return;
    }
    Ignore(HostApi::SetDlgItemUser(ParentHandle(), GetControlID(), evpus), Because::NoRemedy);
}

std::int32_t FCCtrlEdit::GetInteger() {
    if (!IsLive()) {
        FCString copy(CachedText());
        return LeadingIntegerAfterWhiteSpace(copy.GetCString());
    }
    return HostApi::GetDlgItemVal(ParentHandle(), GetControlID(), kInteger);
}

void FCCtrlEdit::SetInteger(std::int32_t value) {
    if (!IsLive()) {
        CachedTextToSet().SetInteger(value);
        return;
    }
    Ignore(HostApi::SetDlgItemVal(ParentHandle(), GetControlID(), kInteger, value),
           Because::NoRemedy);
}

void FCCtrlEdit::SetFloat(float value) {
    FCString text;
    text.Format("%0.2f", static_cast<double>(value));
    SetText(&text);
}

float FCCtrlEdit::GetFloat(float minimum, float maximum) {
    if (!IsLive()) {
        return CachedText().GetFloat();
    }
    FCString text;
    GetText(&text);
    float value = text.GetFloat();
    if (value < minimum) {
        value = minimum;
    }
    if (value > maximum) {
        value = maximum;
    }
    return value;
}
