// A document preference record, located by its preference number (key 1). Classes with a
// composition table compose the record field by field from 12-byte component records, for
// every preference number, and save it back component by component; the others load and save
// the record whole.
#pragma once

#include "framework/data/CompositeRow.h"
#include "framework/data/FCBaseData.h"

class __FCPrefsBase : public __FCBaseData {
public:
    const char* ClassName() const override { return "__FCPrefsBase"; }

    [[nodiscard]] bool Save() override;
    [[nodiscard]] bool Reload() override;
    [[nodiscard]] bool LoadFirst() override { return Load(1); }

    // Key 1 := prefsNo. A composed record is always loaded (missing components read as zeros)
    // and the document stamp stays; otherwise LoadData.
    [[nodiscard]] virtual bool Load(int prefsNo);

protected:
    // composition: the rows that compose the record, or empty for a record loaded whole. The
    // class's RecordSize must equal the composite size.
    explicit __FCPrefsBase(CompositeTable composition) : composition_(composition) {}

private:
    CompositeTable composition_;
};
