#include "framework/data/FCCellFrameHold.h"

#include "binding/HostApi.h"
#include "framework/data/FCCellClefChanges.h"
#include "framework/data/FCStaff.h"
#include "platform/IgnoredResult.h"

#include <algorithm>
#include <optional>

FCCellFrameHold::FCCellFrameHold()
    : layerValues_(static_cast<std::size_t>(std::max<int>(HostApi::GetMaxLayers(), 0))) {
    ClefPercent::Set(record_, kNewClefPercent);
    SetDataSize(kSize);
}

void FCCellFrameHold::CopyDataFrom(__FCBaseData* other) {
    auto* hold = dynamic_cast<FCCellFrameHold*>(other);
    if (!hold || hold == this) {
        return;
    }
    CopyRecordFrom(other);
    const std::size_t shared = std::min(layerValues_.size(), hold->layerValues_.size());
    std::copy_n(hold->layerValues_.begin(), shared, layerValues_.begin());
}

bool FCCellFrameHold::LoadFirst() {
    if (!__FCNoInciCellDetail::LoadFirst()) {
        return false;
    }
    TakeLayerValues();
    return true;
}

bool FCCellFrameHold::Reload() {
    if (!__FCNoInciCellDetail::Reload()) {
        return false;
    }
    TakeLayerValues();
    return true;
}

bool FCCellFrameHold::Save() {
    StoreLayerValues();
    return __FCNoInciCellDetail::Save();
}

bool FCCellFrameHold::SaveNew() {
    StoreLayerValues();
    return __FCNoInciCellDetail::SaveNew();
}

bool FCCellFrameHold::IsClefChange() const {
    const FCCell* cell = GetCell();
    if (!cell || cell->GetMeasure() < 2) {
        return false;
    }
    const std::optional<std::int16_t> earlier = EarlierClef();
    return (earlier ? *earlier : StaffDefaultClef()) != GetClefIndex();
}

std::int16_t FCCellFrameHold::GetClefIndex() const {
    return ClefIndex::Get(RecordData());
}

std::uint16_t FCCellFrameHold::GetFrameFlags() const {
    return FrameFlags::Get(RecordData());
}

std::int16_t FCCellFrameHold::GetClefPercent() const {
    return ClefPercent::Get(RecordData());
}

std::int16_t FCCellFrameHold::GetLayerValue(int layer) const {
    return layer >= 0 && layer < GetLayerCount() ? layerValues_[layer] : std::int16_t{0};
}

void FCCellFrameHold::SetLayerValue(int layer, std::int16_t value) {
    if (layer >= 0 && layer < GetLayerCount()) {
        layerValues_[layer] = value;
    }
}

std::int16_t FCCellFrameHold::ClefAtEnd() const {
    if ((GetFrameFlags() & kClefListFlag) == 0) {
        return GetClefIndex();
    }
    FCCellClefChanges changes;
    if (changes.LoadAllFor(GetClefIndex()) == 0) {
        return GetClefIndex();
    }
    return static_cast<FCCellClefChange*>(changes.GetItemAt(changes.GetCount() - 1))
        ->GetClefIndex();
}

// Measures without a frame hold are passed over; the nearest earlier one decides.
std::optional<std::int16_t> FCCellFrameHold::EarlierClef() const {
    const FCCell* cell = GetCell();
    for (std::int32_t measure = cell->GetMeasure() - 1; measure >= 1; --measure) {
        FCCell earlierCell(measure, cell->GetStaff());
        FCCellFrameHold earlier;
        earlier.SetCell(&earlierCell);
        if (earlier.LoadFirst()) {
            return earlier.ClefAtEnd();
        }
    }
    return std::nullopt;
}

// An unloaded staff record reads as clef 0.
std::int16_t FCCellFrameHold::StaffDefaultClef() const {
    FCStaff staff;
    Ignore(staff.Load(GetCell()->GetStaff()), Because::Prefilled);
    return staff.GetDefaultClef();
}

void FCCellFrameHold::TakeLayerValues() {
    const int stored = std::min(GetLayerCount(), kStoredLayers);
    for (int layer = 0; layer < stored; ++layer) {
        layerValues_[layer] = RecordBytes::Read<std::int16_t>(record_, LayerWordOffset(layer));
    }
}

void FCCellFrameHold::StoreLayerValues() {
    const int stored = std::min(GetLayerCount(), kStoredLayers);
    for (int layer = 0; layer < stored; ++layer) {
        RecordBytes::Write(record_, LayerWordOffset(layer), layerValues_[layer]);
    }
}
