#include "framework/core/FCUndoBlock.h"

#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "hostinterface/HostLayouts.h"
#include "platform/EightBitText.h"
#include "platform/IgnoredResult.h"
#include "platform/Platform.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

// The host keeps undo texts of at most this many characters.
constexpr std::size_t kMaxTitleLength = 63;
// The warning sound, and the simple beep played when the sound cannot be.
constexpr UINT kWarningBeep = 0x30;
constexpr UINT kSimpleBeep = 0xFFFFFFFF;

using TitleUnits = std::array<std::uint16_t, kMaxTitleLength + 1>;

// The title's first 63 units, zero-terminated.
TitleUnits CutTitle(const FCString* title) {
    TitleUnits units{};
    const char16_t* text = title ? title->GetUTF16() : u"";
    const std::size_t length =
        std::min<std::size_t>(std::char_traits<char16_t>::length(text), kMaxTitleLength);
    std::copy(text, text + length, units.begin());
    return units;
}

std::int16_t StartEightBitEdit(const TitleUnits& units) {
    std::array<char, kMaxTitleLength + 1> bytes{};
    std::transform(units.begin(), units.end(), bytes.begin(),
                   [](std::uint16_t unit) { return LowByte(unit); });
    return HostApi::StartFinaleEdit(bytes.data());
}

void WarnNothingChanged() {
    if (!MessageBeep(kWarningBeep)) {
        MessageBeep(kSimpleBeep);
    }
}

} // namespace

std::int16_t StartUndoableEdit(const FCString* title) {
    const TitleUnits units = CutTitle(title);
    if (!HostTakesUTF16()) {
        return StartEightBitEdit(units);
    }
    return HostApi::StartFinaleEditUTF16(units.data());
}

void RunBlock(FCUndoBlock* block, __FCUndoBlockHandler* handler, const FCString* title) {
    handler->SetUndoBlock(block);
    if (StartUndoableEdit(title) == 0) {
        handler->SetUndoBlock(nullptr);
    }
    block->running_ = true;
    const bool changed = handler->Execute();
    block->running_ = false;
    if (changed) {
        Ignore(HostApi::EndFinaleEdit(), Because::NoRemedy);
        handler->SetUndoBlock(nullptr);
        RedrawSelection();
    } else {
        Ignore(HostApi::CancelFinaleEdit(), Because::NoRemedy);
        handler->SetUndoBlock(nullptr);
        WarnNothingChanged();
    }
}

void RedrawSelection() {
    SelectionRecord::Buffers buffers;
    Ignore(HostApi::GetCurERegions(buffers.first.data(), buffers.selection.data(),
                                   buffers.redraw.data()),
           Because::Prefilled);
    Ignore(HostApi::RedrawMusic(buffers.redraw.data()), Because::NoRemedy);
}
