// A record kind with several incidences under one item number: keys (item number, incidence).
#pragma once

#include "framework/data/FCOther.h"

class __FCInciOther : public __FCOther {
public:
    const char* ClassName() const override { return "__FCInciOther"; }

    [[nodiscard]] bool Reload() override;
    // Incidences are reached through Load; there is no first record of the kind.
    [[nodiscard]] bool LoadFirst() override { return false; }

    // Keys (itemNo, incidence), then LoadData; a failed load leaves the object unloaded.
    [[nodiscard]] virtual bool Load(int itemNo, int incidence);
    // Creates the loaded record as a new incidence under itemNo (keys itemNo, 0xFFFF); the
    // object then holds the incidence the host assigned.
    [[nodiscard]] virtual bool SaveAs(int itemNo);

    // Whether the incidence's record loads, reading that record alone: nothing a subclass's Load
    // reads beside it and no document stamp.
    [[nodiscard]] bool LoadsAt(int itemNo, int incidence);
};
