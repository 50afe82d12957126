#include "framework/data/FCDistancePrefs.h"

#include <iterator>

namespace {

using namespace CompositeRows;

constexpr ComponentId Ot(char first, char second) {
    return {{first, second}, 0, 0};
}

constexpr CompositeRow kComposition[] = {
    Word(Ot('2', '1'), 3, 0),         Word(Ot('2', '1'), 5, 2),  Word(Ot('2', '1'), 1, 36),
    Word(Ot('2', '1'), 0, 40),        Word(Ot('2', '1'), 4, 48), Word(Ot('5', '9'), 3, 4),
    Word(Ot('5', '9'), 4, 6),         Word(Ot('2', '2'), 1, 8),  Word(Ot('2', '2'), 2, 10),
    Word(Ot('2', '2'), 3, 12),        Word(Ot('6', '7'), 3, 14), Word(Ot('6', '7'), 4, 16),
    Word(Ot('6', '7'), 1, 58),        Word(Ot('6', '7'), 0, 62), HighLowPair(Ot('6', '8'), 4, 18),
    Word(Ot('6', '8'), 0, 34),        Word(Ot('6', '8'), 1, 38), Word(Ot('2', '0'), 1, 22),
    Word(Ot('2', '0'), 2, 24),        Word(Ot('1', '3'), 3, 28), Word(Ot('1', '9'), 0, 30),
    Word(Ot('1', '9'), 1, 32),        Word(Ot('2', '7'), 5, 26), Word(Ot('1', '8'), 0, 42),
    Word(Ot('1', '8'), 2, 44),        Word(Ot('1', '8'), 1, 46), Word(Ot('1', '8'), 5, 60),
    Word(Ot('1', '8'), 3, 64),        Word(Ot('1', '8'), 4, 66), Word(Ot('3', '9'), 0, 50),
    Word(Ot('3', '9'), 1, 52),        Word(Ot('3', '9'), 5, 70), Word(Ot('3', '9'), 4, 74),
    HighLowPair(Ot('6', '5'), 0, 54), Word(Ot('1', '4'), 3, 68), Word(Ot('3', '8'), 5, 72),
};
static_assert(std::size(kComposition) == 36 && IsWellFormed(kComposition) &&
              SizeOf(kComposition) == FCDistancePrefs::kSize);

} // namespace

FCDistancePrefs::FCDistancePrefs() : __FCPrefsBase(kComposition) {}

std::int16_t FCDistancePrefs::GetClefDistance() const {
    return ClefDistance::Get(RecordData());
}
