#include "framework/data/FCPart.h"

#include "binding/HostApi.h"
#include "platform/IgnoredResult.h"

namespace {

std::uint16_t CurrentDocument() {
    return static_cast<std::uint16_t>(HostApi::GetCurrentEnigmaDocument());
}

} // namespace

// -1 and its 16-bit form 0xFFFF both stand for the current part.
FCPart::FCPart(int partID)
    : partID_(static_cast<std::uint16_t>(partID) == 0xFFFF
                  ? static_cast<std::uint16_t>(HostApi::GetCurrentPartID())
                  : static_cast<std::uint16_t>(partID)),
      documentID_(CurrentDocument()) {}

bool FCPart::IsSameClass(const __FCBase* other) const {
    if (!__FCNoInciOther::IsSameClass(other)) {
        return false;
    }
    const auto* part = static_cast<const FCPart*>(other);
    return part->partID_ == partID_ && part->documentID_ == documentID_;
}

void FCPart::SwitchTo() {
    if (!InCurrentDocument() || IsSwitchedIn()) {
        return;
    }
    previousPartID_ = HostApi::GetCurrentPartID();
    Ignore(HostApi::SetCurrentPartID(static_cast<std::int16_t>(partID_)), Because::NoRemedy);
}

void FCPart::SwitchBack() {
    if (!IsSwitchedIn() || !InCurrentDocument()) {
        return;
    }
    Ignore(HostApi::SetCurrentPartID(previousPartID_), Because::NoRemedy);
    previousPartID_ = kNotSwitchedIn;
}

bool FCPart::InCurrentDocument() const {
    return documentID_ == CurrentDocument();
}
