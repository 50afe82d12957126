// A record that describes one cell (a measure on a staff): keys (staff, measure, incidence). The
// cell is set by the caller and not owned.
#pragma once

#include "framework/data/FCBaseData.h"
#include "framework/data/FCCell.h"

class __FCCellDetail : public __FCBaseData {
public:
    const char* ClassName() const override { return "__FCCellDetail"; }

    // Keys (staff, measure, 0), then LoadData; false without a cell.
    [[nodiscard]] bool LoadFirst() override;
    // Cell details are reached only through their cell.
    [[nodiscard]] bool LoadNext() override { return false; }
    virtual void ReservedHook3() {}
    // Creates the loaded record as a new incidence of the cell (keys staff, measure, 0xFFFF).
    [[nodiscard]] virtual bool SaveNew();

    void SetCell(FCCell* cell) { cell_ = cell; }
    FCCell* GetCell() const { return cell_; }

private:
    FCCell* cell_ = nullptr;
};
