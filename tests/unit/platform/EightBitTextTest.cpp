#include "platform/EightBitText.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using namespace std::string_view_literals;

struct WidenCase {
    std::string_view bytes;
    std::u16string_view units;
};

// Bytes from 0x80 on are where a widening through signed char goes wrong (0xE9 became 0xFFE9).
TEST(EightBitText, EachByteBecomesTheUnitOfItsUnsignedValue) {
    const WidenCase cases[] = {
        {""sv, u""sv},
        {"Apply 5"sv, u"Apply 5"sv},
        {"Gr\xF6\xDF"
         "e"sv,
         u"Gr\u00F6\u00DFe"sv},
        {"\x7F\x80\xFF"sv, u"\u007F\u0080\u00FF"sv},
        {"a\0\xE9"sv, u"a\0\u00E9"sv},
    };
    for (const WidenCase& c : cases) {
        EXPECT_EQ(WidenBytes(c.bytes), c.units) << c.bytes;
    }
    EXPECT_EQ(WidenByte('\xE9'), u'\u00E9');
}

} // namespace
