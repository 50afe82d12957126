// One field of a composite preference record: where it comes from (a word of a 12-byte
// component record), where it goes in the composite record, and how it is converted.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// How a component word (and, for 32-bit fields, the word after it) maps to a composite field.
enum class ConversionMode : std::int32_t {
    Copy = 0,     // 16-bit: the word as it is
    HighLow = 1,  // 32-bit: the word is the high half, the next word the low half
    LowHigh = 2,  // 32-bit: the word is the low half, the next word the high half
    Inverted = 3, // 16-bit: 1 when the word is 0, else 0
    LowByte = 4,  // 16-bit: the word's low byte (zero-extended on load, sign-extended on save)
};

// A component record: tag 'ot' followed by two characters, addressed by (key 1, incidence).
struct ComponentId {
    // Key 1 of the components of document-wide preferences (0xFFFE).
    static constexpr std::int16_t kDocumentKey = -2;

    char code[2];
    std::int16_t key1; // 0 stands for kDocumentKey
    std::int16_t incidence;

    constexpr std::uint32_t Tag() const {
        return 0x6F740000u | static_cast<std::uint32_t>(static_cast<unsigned char>(code[0]) << 8) |
               static_cast<unsigned char>(code[1]);
    }
    constexpr std::int16_t HostKey1() const { return key1 == 0 ? kDocumentKey : key1; }
    constexpr bool operator==(const ComponentId&) const = default;
};

struct CompositeRow {
    ComponentId component;
    std::int16_t offset; // destination byte offset in the composite record
    std::int16_t word;   // source word index in the component record, 0-5
    std::int16_t size;   // 2 or 4 bytes
    ConversionMode mode;
    std::uint32_t minimumHostVersion; // the row takes part only from this host version on

    // The same row, taking part only from the given host version on.
    constexpr CompositeRow Since(std::uint32_t version) const {
        CompositeRow gated = *this;
        gated.minimumHostVersion = version;
        return gated;
    }
};

using CompositeTable = std::span<const CompositeRow>;

namespace CompositeRows {

// The component 'ot' + code, e.g. Ot("25", 0, 1) for ot25 of the document, incidence 1.
constexpr ComponentId Ot(const char (&code)[3], int key1 = 0, int incidence = 0) {
    return {
        {code[0], code[1]}, static_cast<std::int16_t>(key1), static_cast<std::int16_t>(incidence)};
}

constexpr int FieldSize(ConversionMode mode) {
    return mode == ConversionMode::HighLow || mode == ConversionMode::LowHigh ? 4 : 2;
}

// The field that the mode makes of the word (and the next one for 32-bit modes) at the offset.
constexpr CompositeRow Field(ComponentId component, int word, int offset, ConversionMode mode) {
    return {component,
            static_cast<std::int16_t>(offset),
            static_cast<std::int16_t>(word),
            static_cast<std::int16_t>(FieldSize(mode)),
            mode,
            0};
}

// Tables whose fields lie at scattered offsets are written row by row with these.
constexpr CompositeRow Word(ComponentId component, int word, int offset) {
    return Field(component, word, offset, ConversionMode::Copy);
}

constexpr CompositeRow InvertedWord(ComponentId component, int word, int offset) {
    return Field(component, word, offset, ConversionMode::Inverted);
}

// A 32-bit field from the word and the next one, the word being the high half.
constexpr CompositeRow HighLowPair(ComponentId component, int word, int offset) {
    return Field(component, word, offset, ConversionMode::HighLow);
}

// Tables whose fields follow one another from byte 0 are written as runs: fields taken from
// consecutive words of one component (32-bit fields take two words each).
struct FieldRun {
    ComponentId component;
    int firstWord;
    int count;
    ConversionMode mode = ConversionMode::Copy;
};

// Lays the runs out in order from byte 0. The row count must come out as Rows.
template <std::size_t Rows, std::size_t Runs>
constexpr std::array<CompositeRow, Rows> LayOut(const FieldRun (&runs)[Runs]) {
    std::array<CompositeRow, Rows> rows{};
    std::size_t next = 0;
    int offset = 0;
    for (const FieldRun& run : runs) {
        const int size = FieldSize(run.mode);
        for (int index = 0; index < run.count; ++index) {
            rows.at(next++) =
                Field(run.component, run.firstWord + index * size / 2, offset, run.mode);
            offset += size;
        }
    }
    if (next != Rows) {
        throw "the runs do not make the stated number of rows";
    }
    return rows;
}

// The composite record's size: the sum of all field sizes, version-gated rows included.
constexpr std::int32_t SizeOf(CompositeTable rows) {
    std::int32_t size = 0;
    for (const CompositeRow& row : rows) {
        size += row.size;
    }
    return size;
}

constexpr bool IsWellFormed(const CompositeRow& row, std::int32_t recordSize) {
    const bool sixteenBit = row.mode == ConversionMode::Copy ||
                            row.mode == ConversionMode::Inverted ||
                            row.mode == ConversionMode::LowByte;
    const int words = sixteenBit ? 1 : 2;
    return row.size == 2 * words && row.word >= 0 && row.word + words <= 6 && row.offset >= 0 &&
           row.offset + row.size <= recordSize;
}

constexpr bool Overlap(const CompositeRow& first, const CompositeRow& second) {
    return first.offset < second.offset + second.size && second.offset < first.offset + first.size;
}

// Every row reads words inside its component and writes bytes inside the composite record that
// no other row writes.
constexpr bool IsWellFormed(CompositeTable rows) {
    const std::int32_t recordSize = SizeOf(rows);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (!IsWellFormed(rows[index], recordSize)) {
            return false;
        }
        for (std::size_t later = index + 1; later < rows.size(); ++later) {
            if (Overlap(rows[index], rows[later])) {
                return false;
            }
        }
    }
    return true;
}

} // namespace CompositeRows
