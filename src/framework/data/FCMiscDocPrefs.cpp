#include "framework/data/FCMiscDocPrefs.h"

#include <iterator>

namespace {

using namespace CompositeRows;

constexpr ComponentId Ot(char first, char second, int key1 = 0, int incidence = 0) {
    return {{first, second}, static_cast<std::int16_t>(key1), static_cast<std::int16_t>(incidence)};
}

constexpr std::uint32_t kFieldsOf1205 = 0x12050000;
constexpr std::uint32_t kFieldsOf12 = 0x12000000;

constexpr CompositeRow kComposition[] = {
    Word(Ot('2', '2'), 4, 0).Since(kFieldsOf1205),
    Word(Ot('3', '6'), 4, 2),
    Word(Ot('3', '6'), 2, 10),
    Word(Ot('3', '6'), 3, 12),
    InvertedWord(Ot('3', '6'), 1, 14),
    Word(Ot('0', '3'), 4, 4),
    Word(Ot('0', '3'), 5, 6),
    Word(Ot('0', '9'), 5, 8),
    Word(Ot('4', '1'), 0, 16),
    Word(Ot('4', '1'), 1, 18),
    Word(Ot('4', '1'), 5, 62),
    Word(Ot('4', '1'), 2, 84),
    Word(Ot('2', '0'), 0, 20),
    Word(Ot('2', '7'), 1, 22),
    Word(Ot('2', '7'), 0, 30),
    Word(Ot('2', '7'), 4, 32),
    Word(Ot('2', '7'), 2, 36),
    Word(Ot('0', '1'), 0, 24),
    Word(Ot('0', '1'), 1, 66),
    Word(Ot('1', '3'), 2, 26),
    Word(Ot('1', '3'), 0, 60),
    Word(Ot('1', '5'), 4, 28),
    Word(Ot('4', '4'), 4, 34),
    Word(Ot('4', '4'), 3, 54),
    Word(Ot('1', '2'), 2, 38),
    Word(Ot('1', '2'), 3, 40),
    Word(Ot('1', '2'), 1, 42),
    Word(Ot('1', '2'), 4, 64),
    Word(Ot('4', '1', 0, 2), 1, 44),
    Word(Ot('4', '1', 0, 2), 0, 82),
    Word(Ot('2', '3'), 1, 46),
    Word(Ot('2', '3'), 4, 70),
    Word(Ot('1', '9'), 2, 48),
    Word(Ot('1', '9'), 3, 50),
    Word(Ot('3', '1'), 5, 52),
    Word(Ot('0', '5'), 4, 56),
    Word(Ot('0', '5'), 5, 58),
    Word(Ot('1', '7'), 5, 68),
    Word(Ot('1', '6'), 5, 72),
    HighLowPair(Ot('6', '2'), 0, 74),
    HighLowPair(Ot('6', '2'), 2, 78),
    HighLowPair(Ot('4', '1', 0, 1), 3, 86),
    Word(Ot('7', '6'), 5, 90),
    Word(Ot('F', 'I', 10), 2, 92).Since(kFieldsOf12),
    Word(Ot('F', 'I', 10), 4, 94).Since(kFieldsOf12),
    Word(Ot('F', 'I', 10), 5, 96).Since(kFieldsOf12),
};
static_assert(std::size(kComposition) == 46 && IsWellFormed(kComposition) &&
              SizeOf(kComposition) == FCMiscDocPrefs::kSize);

} // namespace

FCMiscDocPrefs::FCMiscDocPrefs() : __FCPrefsBase(kComposition) {}

std::int16_t FCMiscDocPrefs::GetClefPercentDefault() const {
    return ClefPercentDefault::Get(RecordData());
}
