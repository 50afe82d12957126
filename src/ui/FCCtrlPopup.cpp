#include "ui/FCCtrlPopup.h"

#include "binding/HostApi.h"
#include "platform/IgnoredResult.h"

namespace {

constexpr std::int16_t kListChoice = 0;

// The host's 1-based choice and the popup's 0-based index, wrapping at the ends of the 32-bit
// range instead of overflowing.
std::int32_t Shifted(std::int32_t value, std::uint32_t by) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) + by);
}

} // namespace

void FCCtrlPopup::ApplyCachedState() {
    FCControl::ApplyCachedState();
    if (itemsSet_) {
        Clear();
        for (int index = 0; index < pendingItems_.GetCount(); ++index) {
            AddItem(pendingItems_.GetItemAt(index));
        }
    }
    if (selectionSet_) {
        SetSelectedItem(selection_);
    }
}

void FCCtrlPopup::CaptureState() {
    FCControl::CaptureState();
    selection_ = GetSelectedItem();
}

void FCCtrlPopup::Clear() {
    if (IsLive()) {
        SendDlgItemMessageA(ParentHandle(), GetControlID(), CB_RESETCONTENT, 0, 0);
        return;
    }
    pendingItems_.ClearAll();
    itemsSet_ = true;
}

// A null text adds nothing, on screen as in the pending list.
void FCCtrlPopup::AddItem(const FCString* text) {
    if (!text) {
        return;
    }
    if (!IsLive()) {
        pendingItems_.AddCopy(text);
        itemsSet_ = true;
        return;
    }
    FCString copy(*text);
    SendDlgItemMessageA(ParentHandle(), GetControlID(), CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(copy.GetCString()));
}

std::int32_t FCCtrlPopup::GetSelectedItem() {
    if (!IsLive()) {
        return selection_;
    }
    return Shifted(HostApi::GetDlgItemVal(ParentHandle(), GetControlID(), kListChoice),
                   static_cast<std::uint32_t>(-1));
}

void FCCtrlPopup::SetSelectedItem(std::int32_t index) {
    if (!IsLive()) {
        selection_ = index;
        selectionSet_ = true;
        return;
    }
    Ignore(HostApi::SetDlgItemVal(ParentHandle(), GetControlID(), kListChoice, Shifted(index, 1)),
           Because::NoRemedy);
}
