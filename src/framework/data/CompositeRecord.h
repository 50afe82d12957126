// Composite preference records: assembled field by field from 12-byte component records, and
// written back component by component. Each component is read once per operation, and a save
// writes only the components in which a word changed. Rows whose minimum host version is above
// the running host's take no part; the bytes they would fill keep their contents.
#pragma once

#include "framework/data/CompositeRow.h"

#include <cstdint>

class ComponentRecord;

class CompositeRecord {
public:
    // Null buffer: *size := the composite size (a size query). Otherwise the room in *size must
    // hold the composite size; the fields are filled and *size := the composite size. False
    // without a size variable or with too little room, and then nothing is written.
    [[nodiscard]] static bool Load(CompositeTable rows, void* buffer, std::int32_t* size);
    // False without a buffer or when size is below the composite size (the fields would be read
    // from beyond the record); otherwise true, whatever the component saves report.
    [[nodiscard]] static bool Save(CompositeTable rows, const void* buffer, std::int32_t size);

private:
    static void LoadField(const CompositeRow& row, const ComponentRecord& component, void* buffer);
    static bool StoreField(const CompositeRow& row, const void* buffer, ComponentRecord& component);
};
