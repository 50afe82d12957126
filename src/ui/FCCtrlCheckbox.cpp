#include "ui/FCCtrlCheckbox.h"

#include "binding/HostApi.h"
#include "platform/IgnoredResult.h"

namespace {

constexpr std::int16_t kCheckState = 1;

} // namespace

void FCCtrlCheckbox::ApplyCachedState() {
    FCControl::ApplyCachedState();
    if (checkSet_) {
        SetCheck(check_);
    }
}

void FCCtrlCheckbox::CaptureState() {
    FCControl::CaptureState();
    check_ = GetCheck();
}

void FCCtrlCheckbox::SetCheck(std::int16_t state) {
    if (IsLive()) {
        Ignore(HostApi::SetDlgItemVal(ParentHandle(), GetControlID(), kCheckState, state),
               Because::NoRemedy);
        return;
    }
    check_ = state;
    checkSet_ = true;
}

std::int16_t FCCtrlCheckbox::GetCheck() {
    if (!IsLive()) {
        return check_;
    }
    return static_cast<std::int16_t>(
        HostApi::GetDlgItemVal(ParentHandle(), GetControlID(), kCheckState));
}
