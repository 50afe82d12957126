#include "framework/data/CompositeRecord.h"

#include "binding/PluginState.h"
#include "framework/data/ComponentRecord.h"
#include "hostinterface/RecordBytes.h"
#include "platform/IgnoredResult.h"

#include <vector>

namespace {

// A row takes part when the running host is at least as new as the row asks.
bool TakesPart(const CompositeRow& row) {
    return hostVersion >= row.minimumHostVersion;
}

// Calls visit(component, rows) once per component, in order of first appearance, with every row
// of the table that takes part and reads that component (done flags keep each row to one visit).
template <typename Visit> void ForEachComponent(CompositeTable rows, Visit visit) {
    std::vector<bool> done(rows.size(), false);
    for (std::size_t first = 0; first < rows.size(); ++first) {
        if (done[first] || !TakesPart(rows[first])) {
            continue;
        }
        std::vector<const CompositeRow*> sharing;
        for (std::size_t later = first; later < rows.size(); ++later) {
            if (!done[later] && TakesPart(rows[later]) &&
                rows[later].component == rows[first].component) {
                sharing.push_back(&rows[later]);
                done[later] = true;
            }
        }
        visit(rows[first].component, sharing);
    }
}

std::uint16_t Inverted(std::uint16_t value) {
    return value == 0 ? 1 : 0;
}

} // namespace

bool CompositeRecord::Load(CompositeTable rows, void* buffer, std::int32_t* size) {
    if (!size) {
        return false;
    }
    const std::int32_t compositeSize = CompositeRows::SizeOf(rows);
    if (!buffer) {
        *size = compositeSize;
        return true;
    }
    if (*size < compositeSize) {
        return false;
    }
    ForEachComponent(rows, [buffer](const ComponentId& id, const auto& sharing) {
        ComponentRecord component(id);
        Ignore(component.Load(), Because::Prefilled);
        for (const CompositeRow* row : sharing) {
            LoadField(*row, component, buffer);
        }
    });
    *size = compositeSize;
    return true;
}

bool CompositeRecord::Save(CompositeTable rows, const void* buffer, std::int32_t size) {
    if (!buffer || size < CompositeRows::SizeOf(rows)) {
        return false;
    }
    ForEachComponent(rows, [buffer](const ComponentId& id, const auto& sharing) {
        ComponentRecord component(id);
        Ignore(component.Load(), Because::Prefilled);
        bool changed = false;
        for (const CompositeRow* row : sharing) {
            changed = StoreField(*row, buffer, component) || changed;
        }
        if (changed) {
            Ignore(component.Save(), Because::BestEffort);
        }
    });
    return true;
}

void CompositeRecord::LoadField(const CompositeRow& row, const ComponentRecord& component,
                                void* buffer) {
    const std::uint16_t word = component.Word(row.word);
    const auto offset = static_cast<std::size_t>(row.offset);
    switch (row.mode) {
    case ConversionMode::Copy:
        RecordBytes::Write<std::uint16_t>(buffer, offset, word);
        break;
    case ConversionMode::Inverted:
        RecordBytes::Write<std::uint16_t>(buffer, offset, Inverted(word));
        break;
    case ConversionMode::LowByte:
        RecordBytes::Write<std::uint16_t>(buffer, offset, word & 0xFF);
        break;
    case ConversionMode::HighLow:
        RecordBytes::Write<std::uint32_t>(
            buffer, offset, (std::uint32_t{word} << 16) | component.Word(row.word + 1));
        break;
    case ConversionMode::LowHigh:
        RecordBytes::Write<std::uint32_t>(
            buffer, offset, (std::uint32_t{component.Word(row.word + 1)} << 16) | word);
        break;
    }
}

bool CompositeRecord::StoreField(const CompositeRow& row, const void* buffer,
                                 ComponentRecord& component) {
    const auto offset = static_cast<std::size_t>(row.offset);
    const auto value16 = RecordBytes::Read<std::uint16_t>(buffer, offset);
    switch (row.mode) {
    case ConversionMode::Copy:
        return component.SetWord(row.word, value16);
    case ConversionMode::Inverted:
        return component.SetWord(row.word, Inverted(value16));
    case ConversionMode::LowByte:
        return component.SetWord(
            row.word, static_cast<std::uint16_t>(static_cast<std::int8_t>(value16 & 0xFF)));
    case ConversionMode::HighLow:
    case ConversionMode::LowHigh:
        break;
    }
    const auto value32 = RecordBytes::Read<std::uint32_t>(buffer, offset);
    const auto high = static_cast<std::uint16_t>(value32 >> 16);
    const auto low = static_cast<std::uint16_t>(value32 & 0xFFFF);
    const bool highFirst = row.mode == ConversionMode::HighLow;
    const bool firstChanged = component.SetWord(row.word, highFirst ? high : low);
    const bool secondChanged = component.SetWord(row.word + 1, highFirst ? low : high);
    return firstChanged || secondChanged;
}
