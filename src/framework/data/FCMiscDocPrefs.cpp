#include "framework/data/FCMiscDocPrefs.h"

#include "framework/data/RecordLayoutVersions.h"

#include <iterator>

namespace {

using namespace CompositeRows;

constexpr std::uint32_t kFieldsOf1205 = 0x12050000;

constexpr CompositeRow kComposition[] = {
    Word(Ot("22"), 4, 0).Since(kFieldsOf1205),
    Word(Ot("36"), 4, 2),
    Word(Ot("36"), 2, 10),
    Word(Ot("36"), 3, 12),
    InvertedWord(Ot("36"), 1, 14),
    Word(Ot("03"), 4, 4),
    Word(Ot("03"), 5, 6),
    Word(Ot("09"), 5, 8),
    Word(Ot("41"), 0, 16),
    Word(Ot("41"), 1, 18),
    Word(Ot("41"), 5, 62),
    Word(Ot("41"), 2, 84),
    Word(Ot("20"), 0, 20),
    Word(Ot("27"), 1, 22),
    Word(Ot("27"), 0, 30),
    Word(Ot("27"), 4, 32),
    Word(Ot("27"), 2, 36),
    Word(Ot("01"), 0, 24),
    Word(Ot("01"), 1, 66),
    Word(Ot("13"), 2, 26),
    Word(Ot("13"), 0, 60),
    Word(Ot("15"), 4, 28),
    Word(Ot("44"), 4, 34),
    Word(Ot("44"), 3, 54),
    Word(Ot("12"), 2, 38),
    Word(Ot("12"), 3, 40),
    Word(Ot("12"), 1, 42),
    Word(Ot("12"), 4, 64),
    Word(Ot("41", 0, 2), 1, 44),
    Word(Ot("41", 0, 2), 0, 82),
    Word(Ot("23"), 1, 46),
    Word(Ot("23"), 4, 70),
    Word(Ot("19"), 2, 48),
    Word(Ot("19"), 3, 50),
    Word(Ot("31"), 5, 52),
    Word(Ot("05"), 4, 56),
    Word(Ot("05"), 5, 58),
    Word(Ot("17"), 5, 68),
    Word(Ot("16"), 5, 72),
    HighLowPair(Ot("62"), 0, 74),
    HighLowPair(Ot("62"), 2, 78),
    HighLowPair(Ot("41", 0, 1), 3, 86),
    Word(Ot("76"), 5, 90),
    Word(Ot("FI", 10), 2, 92).Since(RecordLayoutVersions::kNewest),
    Word(Ot("FI", 10), 4, 94).Since(RecordLayoutVersions::kNewest),
    Word(Ot("FI", 10), 5, 96).Since(RecordLayoutVersions::kNewest),
};
static_assert(std::size(kComposition) == 46 && IsWellFormed(kComposition) &&
              SizeOf(kComposition) == FCMiscDocPrefs::kSize);

} // namespace

FCMiscDocPrefs::FCMiscDocPrefs() : __FCPrefsBase(kComposition) {}

std::int16_t FCMiscDocPrefs::GetClefPercentDefault() const {
    return ClefPercentDefault::Get(RecordData());
}
