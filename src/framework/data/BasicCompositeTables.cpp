#include "framework/data/BasicCompositeTables.h"

#include "hostinterface/RecordTag.h"

#include <array>
#include <cstddef>

namespace {

using namespace CompositeRows;

constexpr auto kHighLow = ConversionMode::HighLow;
constexpr auto kLowHigh = ConversionMode::LowHigh;
constexpr auto kInverted = ConversionMode::Inverted;
constexpr auto kLowByte = ConversionMode::LowByte;

constexpr FieldRun kPageRuns[] = {{Ot("65", 0, 0), 2, 2, kHighLow},
                                  {Ot("65", 0, 1), 0, 3, kHighLow},
                                  {Ot("65", 0, 2), 0, 3, kLowHigh},
                                  {Ot("65", 0, 3), 0, 3, kHighLow}};
constexpr auto kPage = LayOut<11>(kPageRuns);

constexpr FieldRun kMusicSpacingRuns[] = {
    {Ot("94", 0, 0), 0, 6},           {Ot("94", 0, 1), 0, 6}, {Ot("94", 0, 2), 0, 6},
    {Ot("41", 0, 2), 0, 6},           {Ot("42", 0, 0), 0, 6}, {Ot("43", 0, 0), 0, 6},
    {Ot("95", 0, 0), 0, 3, kHighLow}, {Ot("96", 0, 0), 0, 6}, {Ot("97", 0, 0), 0, 3},
    {Ot("FI", 10, 0), 2, 1}};
constexpr auto kMusicSpacing = LayOut<49>(kMusicSpacingRuns);

constexpr FieldRun kExpressionRuns[] = {{Ot("30", 0, 0), 0, 6},
                                        {Ot("30", 0, 1), 0, 6},
                                        {Ot("30", 0, 2), 0, 6},
                                        {Ot("31", 0, 0), 0, 6},
                                        {Ot("32", 0, 0), 0, 1, kLowByte}};
constexpr auto kExpression = LayOut<25>(kExpressionRuns);

constexpr FieldRun kDistanceRuns[] = {{Ot("21", 0, 0), 0, 6},          {Ot("59", 0, 0), 0, 6},
                                      {Ot("22", 0, 0), 0, 6},          {Ot("67", 0, 0), 0, 6},
                                      {Ot("20", 0, 0), 0, 6},          {Ot("13", 0, 0), 0, 4},
                                      {Ot("68", 0, 0), 0, 2, kHighLow}};
constexpr auto kDistance = LayOut<36>(kDistanceRuns);

constexpr FieldRun kGroupRuns[] = {{Ot("05", 0, 0), 0, 6}, {Ot("05", 0, 1), 0, 5, kInverted}};
constexpr auto kGroup = LayOut<11>(kGroupRuns);

constexpr FieldRun kPageFormatRuns[] = {{Ot("77", 0, 0), 0, 6},
                                        {Ot("77", 0, 1), 0, 6},
                                        {Ot("77", 0, 2), 0, 6},
                                        {Ot("77", 0, 3), 0, 2},
                                        {Ot("78", 0, 0), 0, 2, kLowHigh}};
constexpr auto kPageFormat = LayOut<22>(kPageFormatRuns);

constexpr FieldRun kPlaybackRuns[] = {{Ot("37", 0, 0), 0, 6}, {Ot("37", 0, 1), 0, 1, kInverted}};
constexpr auto kPlayback = LayOut<7>(kPlaybackRuns);

constexpr FieldRun kRepeatRuns[] = {
    {Ot("60", 0, 0), 0, 6}, {Ot("60", 0, 1), 0, 6}, {Ot("60", 0, 2), 0, 6}, {Ot("61", 0, 0), 0, 2}};
constexpr auto kRepeat = LayOut<20>(kRepeatRuns);

constexpr FieldRun kSizeRuns[] = {
    {Ot("33", 0, 0), 0, 6}, {Ot("33", 0, 1), 0, 6},           {Ot("34", 0, 0), 0, 6},
    {Ot("35", 0, 0), 0, 1}, {Ot("35", 0, 0), 2, 2, kHighLow}, {Ot("35", 0, 1), 0, 2, kHighLow}};
constexpr auto kSize = LayOut<23>(kSizeRuns);

constexpr FieldRun kStaffSpacingRuns[] = {
    {Ot("50", 0, 0), 0, 6}, {Ot("50", 0, 1), 0, 6},           {Ot("50", 0, 2), 0, 6},
    {Ot("50", 0, 3), 0, 6}, {Ot("50", 0, 4), 0, 6},           {Ot("50", 0, 5), 0, 6},
    {Ot("56", 0, 0), 0, 2}, {Ot("57", 0, 0), 0, 3, kHighLow}, {Ot("57", 0, 1), 0, 2, kLowHigh}};
constexpr auto kStaffSpacing = LayOut<43>(kStaffSpacingRuns);

struct TableEntry {
    std::uint32_t tag;
    bool onlyKeyZero; // the table composes only the record with key 1 = 0
    CompositeTable rows;
};

constexpr TableEntry kTables[] = {
    {RecordTagOf("pfPB"), false, kPage},       {RecordTagOf("pfMS"), false, kMusicSpacing},
    {RecordTagOf("pfEX"), false, kExpression}, {RecordTagOf("pfDP"), false, kDistance},
    {RecordTagOf("pf05"), false, kGroup},      {RecordTagOf("pfPF"), true, kPageFormat},
    {RecordTagOf("pfPL"), false, kPlayback},   {RecordTagOf("pfRP"), false, kRepeat},
    {RecordTagOf("pfSI"), false, kSize},       {RecordTagOf("pfSS"), false, kStaffSpacing},
};

constexpr bool AllWellFormed() {
    for (const TableEntry& entry : kTables) {
        if (!CompositeRows::IsWellFormed(entry.rows)) {
            return false;
        }
    }
    return true;
}

static_assert(AllWellFormed());
static_assert(CompositeRows::SizeOf(kPage) == 44 && CompositeRows::SizeOf(kMusicSpacing) == 104 &&
              CompositeRows::SizeOf(kExpression) == 50 && CompositeRows::SizeOf(kDistance) == 76 &&
              CompositeRows::SizeOf(kGroup) == 22 && CompositeRows::SizeOf(kPageFormat) == 48 &&
              CompositeRows::SizeOf(kPlayback) == 14 && CompositeRows::SizeOf(kRepeat) == 40 &&
              CompositeRows::SizeOf(kSize) == 54 && CompositeRows::SizeOf(kStaffSpacing) == 96);

} // namespace

CompositeTable BasicCompositeTables::Find(std::uint32_t tag, std::int16_t key1) {
    for (const TableEntry& entry : kTables) {
        if (entry.tag == tag && (!entry.onlyKeyZero || key1 == 0)) {
            return entry.rows;
        }
    }
    return {};
}
