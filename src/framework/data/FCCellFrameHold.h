// The frame record of a cell (SDGF), keys (staff, measure, 0): the clef at the start of the cell
// or, when flagged, the item number of the cell's list of clef changes, the frame flags, the
// frame hold's own clef percentage, and one frame value per layer. The host stores the first
// four layers' values in the record; the object keeps one for every layer the host has.
#pragma once

#include "framework/data/FCNoInciCellDetail.h"
#include "hostinterface/RecordBytes.h"
#include "hostinterface/RecordTag.h"

#include <cstdint>
#include <optional>
#include <vector>

class FCCellFrameHold : public __FCNoInciCellDetail {
public:
    // frameFlags bit: clefIndex is the item number of a list of clef changes.
    static constexpr std::uint16_t kClefListFlag = 0x0400;

    // Usable at once: data size 14, clef percentage 100, every layer value 0, no cell.
    FCCellFrameHold();

    std::uint32_t ClassID() const override { return 12; }
    const char* ClassName() const override { return "FCCellFrameHold"; }
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCCellFrameHold; }
    std::uint32_t RecordTag() const override { return RecordTagOf("SDGF"); }
    std::int32_t RecordSize() const override { return kSize; }
    std::int32_t GetDataSize() const override { return kSize; }
    // Copies the three words and the layer values.
    void CopyDataFrom(__FCBaseData* other) override;
    [[nodiscard]] bool LoadFirst() override;
    [[nodiscard]] bool Reload() override;
    [[nodiscard]] bool Save() override;
    [[nodiscard]] bool SaveNew() override;

    // True when the clef at the start of the cell differs from the clef in force just before it
    // on the same staff.
    bool IsClefChange() const;

    std::int16_t GetClefIndex() const;
    std::uint16_t GetFrameFlags() const;
    std::int16_t GetClefPercent() const;
    int GetLayerCount() const { return static_cast<int>(layerValues_.size()); }
    std::int16_t GetLayerValue(int layer) const;
    void SetLayerValue(int layer, std::int16_t value);

private:
    static constexpr std::int32_t kSize = 14;
    static constexpr std::int16_t kNewClefPercent = 100;
    static constexpr int kStoredLayers = 4;

    // The clef in force at the end of this (earlier) cell: the last of its clef changes, or its
    // own clef.
    std::int16_t ClefAtEnd() const;
    // The clef in force before this cell by the nearest earlier frame hold, if there is one.
    std::optional<std::int16_t> EarlierClef() const;
    std::int16_t StaffDefaultClef() const;
    // Between the record's layer words and the per-layer values.
    void TakeLayerValues();
    void StoreLayerValues();
    static std::size_t LayerWordOffset(int layer) { return kLayerWords + 2 * layer; }

    using ClefIndex = RecordField<std::int16_t, 0>;
    using FrameFlags = RecordField<std::uint16_t, 2>;
    using ClefPercent = RecordField<std::int16_t, 4>;
    static constexpr std::size_t kLayerWords = 6;
    static_assert(kLayerWords + 2 * kStoredLayers == kSize);

    unsigned char record_[kSize] = {};
    std::vector<std::int16_t> layerValues_;
};
