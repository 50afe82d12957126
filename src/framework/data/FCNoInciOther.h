// A record kind with one record per item number: keys (item number, 0).
#pragma once

#include "framework/data/FCOther.h"

#include <cstdint>

class __FCNoInciOther : public __FCOther {
public:
    const char* ClassName() const override { return "__FCNoInciOther"; }

    [[nodiscard]] bool Reload() override;

    // Keys (itemNo, 0), then LoadData; a failed load leaves the object unloaded.
    [[nodiscard]] virtual bool Load(int itemNo);
    // Saves the loaded record over the record of another item number; on failure the object
    // keeps its own keys.
    [[nodiscard]] virtual bool SaveAs(int itemNo);
    // A second entry that saves as SaveAs does.
    [[nodiscard]] virtual bool SaveAsSecondEntry(int itemNo) { return SaveAs(itemNo); }
    // Creates the loaded record under an item number the host assigns (keys 0xFFFF, 0xFFFF).
    [[nodiscard]] virtual bool SaveNew();
    virtual std::uint16_t GetItemNo() const { return static_cast<std::uint16_t>(Key(0)); }
};
