#include "framework/data/FCNoteEntryCell.h"

#include "binding/HostApi.h"
#include "framework/data/FCNoteEntry.h"
#include "hostinterface/HostLayouts.h"
#include "hostinterface/RecordBytes.h"

#include <algorithm>

namespace {

// Single-layer selections run from 1 to this; masks start at bit 8.
constexpr std::int32_t kLastSingleLayer = 4;
constexpr int kFirstMaskBit = 8;

} // namespace

FCNoteEntryCell::~FCNoteEntryCell() {
    ReleaseAll();
}

// Loads the selected layers' frames in order, handing each to `take` until it answers false;
// false when a frame cannot be had.
template <typename Take> bool FCNoteEntryCell::LoadSelectedFrames(Take take) {
    ReleaseAll();
    const int layers = LayersToLoad();
    const std::int16_t slot = Slot();
    for (int layer = 0; layer < layers; ++layer) {
        if (!IsLayerSelected(layer)) {
            continue;
        }
        void* frame = LoadFrame(slot, layer);
        if (!frame) {
            return false;
        }
        if (!take(layer, frame)) {
            break;
        }
    }
    return true;
}

bool FCNoteEntryCell::Load() {
    const bool loaded = LoadSelectedFrames([this](int layer, void* frame) {
        frames_[layer] = frame;
        return true;
    });
    if (!loaded) {
        ReleaseAll();
        return false;
    }
    for (void* frame : frames_) {
        if (frame) {
            AddEntriesOf(frame);
        }
    }
    return true;
}

bool FCNoteEntryCell::HoldsAnyEntry() {
    bool holds = false;
    const bool loaded = LoadSelectedFrames([&holds](int, void* frame) {
        holds = EntryCount(frame) > 0;
        HostApi::FreeTGF(frame);
        return !holds;
    });
    return loaded && holds;
}

int FCNoteEntryCell::LayersToLoad() const {
    return UsableLayers(layers_ ? *layers_ : HostApi::GetMaxLayers());
}

std::int16_t FCNoteEntryCell::Slot() const {
    return slot_ ? *slot_ : HostApi::InstToSlot(static_cast<std::int16_t>(staff_));
}

void* FCNoteEntryCell::LoadFrame(std::int16_t slot, int layer) const {
    return HostApi::LoadTGF(slot, static_cast<std::int16_t>(measure_),
                            static_cast<std::int16_t>(layer), loadOption_);
}

int FCNoteEntryCell::EntryCount(const void* frame) {
    const auto* header = static_cast<const unsigned char*>(frame);
    if (RecordBytes::Read<std::uintptr_t>(header, EntryFrame::kEntries) == 0) {
        return 0;
    }
    return RecordBytes::Read<std::int16_t>(header, EntryFrame::kEntryCount);
}

bool FCNoteEntryCell::IsLayerSelected(int layer) const {
    switch (layerSelection_) {
    case kNoLayers:
        return false;
    case kHiddenLayers:
        return HostApi::GetShowLayer(static_cast<std::int16_t>(layer)) == 0;
    case kAllLayers:
        return true;
    case kShownLayers:
        return HostApi::GetShowLayer(static_cast<std::int16_t>(layer)) != 0;
    default:
        if (layerSelection_ >= 1 && layerSelection_ <= kLastSingleLayer) {
            return layer == layerSelection_ - 1;
        }
        return layer + kFirstMaskBit < 32 &&
               (static_cast<std::uint32_t>(layerSelection_) >> (layer + kFirstMaskBit) & 1u) != 0;
    }
}

int FCNoteEntryCell::UsableLayers(int layers) {
    return std::clamp<int>(layers, 0, kMaxLayers);
}

void FCNoteEntryCell::AddEntriesOf(void* frame) {
    const auto* header = static_cast<const unsigned char*>(frame);
    const auto* entries = reinterpret_cast<const unsigned char*>(
        RecordBytes::Read<std::uintptr_t>(header, EntryFrame::kEntries));
    const int count = EntryCount(frame);
    // The staff of the entries is asked only of a frame that has some.
    if (count <= 0) {
        return;
    }
    const std::int16_t frameValue =
        RecordBytes::Read<std::int16_t>(header, EntryFrame::kFrameValue);
    const std::int16_t staff =
        HostApi::SlotToInst(RecordBytes::Read<std::int16_t>(header, EntryFrame::kSlot),
                            RecordBytes::Read<std::int16_t>(header, EntryFrame::kStaffList));
    for (int index = 0; index < count; ++index) {
        auto* previous = static_cast<FCNoteEntry*>(GetItemAt(GetCount() - 1));
        Add(new FCNoteEntry(entries + index * EntryFrame::kEntrySize, frame, frameValue, staff,
                            previous));
    }
}

void FCNoteEntryCell::ReleaseAll() {
    ClearAll();
    for (void*& frame : frames_) {
        if (frame) {
            HostApi::FreeTGF(frame);
            frame = nullptr;
        }
    }
}
