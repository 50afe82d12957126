#include "framework/data/FCDistancePrefs.h"

#include <iterator>

namespace {

using namespace CompositeRows;

constexpr CompositeRow kComposition[] = {
    Word(Ot("21"), 3, 0),         Word(Ot("21"), 5, 2),  Word(Ot("21"), 1, 36),
    Word(Ot("21"), 0, 40),        Word(Ot("21"), 4, 48), Word(Ot("59"), 3, 4),
    Word(Ot("59"), 4, 6),         Word(Ot("22"), 1, 8),  Word(Ot("22"), 2, 10),
    Word(Ot("22"), 3, 12),        Word(Ot("67"), 3, 14), Word(Ot("67"), 4, 16),
    Word(Ot("67"), 1, 58),        Word(Ot("67"), 0, 62), HighLowPair(Ot("68"), 4, 18),
    Word(Ot("68"), 0, 34),        Word(Ot("68"), 1, 38), Word(Ot("20"), 1, 22),
    Word(Ot("20"), 2, 24),        Word(Ot("13"), 3, 28), Word(Ot("19"), 0, 30),
    Word(Ot("19"), 1, 32),        Word(Ot("27"), 5, 26), Word(Ot("18"), 0, 42),
    Word(Ot("18"), 2, 44),        Word(Ot("18"), 1, 46), Word(Ot("18"), 5, 60),
    Word(Ot("18"), 3, 64),        Word(Ot("18"), 4, 66), Word(Ot("39"), 0, 50),
    Word(Ot("39"), 1, 52),        Word(Ot("39"), 5, 70), Word(Ot("39"), 4, 74),
    HighLowPair(Ot("65"), 0, 54), Word(Ot("14"), 3, 68), Word(Ot("38"), 5, 72),
};
static_assert(std::size(kComposition) == 36 && IsWellFormed(kComposition) &&
              SizeOf(kComposition) == FCDistancePrefs::kSize);

} // namespace

FCDistancePrefs::FCDistancePrefs() : __FCPrefsBase(kComposition) {}

std::int16_t FCDistancePrefs::GetClefDistance() const {
    return ClefDistance::Get(RecordData());
}
