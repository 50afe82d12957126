#include "framework/core/FCString.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

extern "C" const unsigned char NativeResourceData[];
extern "C" const std::size_t NativeResourceData_size;

namespace {

std::u16string UnitsOf(const FCString& text) {
    return std::u16string(text.GetUTF16(), text.GetLength());
}

// The stored text as bytes, read through GetCString on a copy so the checked string is untouched.
std::string BytesOf(const FCString& text) {
    FCString copy(text);
    return copy.GetCString();
}

// Every change must leave a terminator right after the last unit.
void ExpectTerminated(const FCString& text) {
    EXPECT_EQ(text.GetUTF16()[text.GetLength()], u'\0') << "length " << text.GetLength();
}

// ---------------------------------------------------------------------------------------------
// Storage

TEST(FCStringStorage, FreshStringIsEmptyAndNullTextFreesTheBuffer) {
    FCString text;
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.GetCapacity(), 0u);
    EXPECT_STREQ(text.GetCString(), "");
    EXPECT_EQ(text.GetUTF16()[0], u'\0');

    text.SetCString("some words");
    EXPECT_EQ(text.GetLength(), 10u);
    EXPECT_GT(text.GetCapacity(), 10u);

    text.SetCString(nullptr);
    EXPECT_EQ(text.GetLength(), 0u);
    EXPECT_EQ(text.GetCapacity(), 0u);
    EXPECT_STREQ(text.GetCString(), "");
}

TEST(FCStringStorage, EveryByteRoundTripsThroughSetAndAppend) {
    std::string bytes;
    for (int value = 1; value <= 0xFF; ++value) {
        bytes.push_back(static_cast<char>(value));
    }
    FCString text;
    text.SetCString(bytes.c_str());
    EXPECT_EQ(text.GetCString(), bytes);
    // High bytes become U+0080..U+00FF, never sign-extended units.
    EXPECT_EQ(text.GetUTF16()[0x7F], u'\u0080');
    EXPECT_EQ(text.GetUTF16()[0xFE], u'\u00FF');

    FCString appended("start:");
    appended.AppendCString(bytes.c_str());
    EXPECT_EQ(appended.GetCString(), "start:" + bytes);
    EXPECT_EQ(appended.GetUTF16()[6 + 0xE8], u'\u00E9');
    ExpectTerminated(appended);
}

TEST(FCStringStorage, GetCStringTakesTheLowByteAndFollowsLaterChanges) {
    FCString text;
    text.SetUTF16(u"\u0141\u00E9z");
    EXPECT_STREQ(text.GetCString(), "A\xE9z");

    text.AppendCString("!");
    EXPECT_STREQ(text.GetCString(), "A\xE9z!");
    text.SetCString("x");
    EXPECT_STREQ(text.GetCString(), "x");
}

TEST(FCStringStorage, CopiesAreIndependentOfTheirSource) {
    FCString original("first");
    FCString copied(original);
    FCString assigned;
    assigned = original;
    original.SetCString("changed afterwards");

    EXPECT_EQ(BytesOf(copied), "first");
    EXPECT_EQ(BytesOf(assigned), "first");

    FCString& alias = assigned;
    assigned = alias;
    EXPECT_EQ(BytesOf(assigned), "first");

    assigned.SetString(&assigned);
    EXPECT_EQ(BytesOf(assigned), "first");
    assigned.SetString(nullptr);
    EXPECT_TRUE(assigned.IsEmpty());
    ExpectTerminated(assigned);
}

TEST(FCStringStorage, SetUTF16KeepsUnitsBeyondLatin1) {
    FCString text("previous, longer text");
    text.SetUTF16(u"\u00C0\u4E2D\u266A");
    EXPECT_EQ(UnitsOf(text), u"\u00C0\u4E2D\u266A");
    ExpectTerminated(text);

    text.SetUTF16(nullptr);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(FCStringStorage, SetUTF16AcceptsUnitsOfItsOwnBuffer) {
    // Nine units fill a buffer of ten, so setting them again regrows the buffer they live in.
    FCString text("123456789");
    ASSERT_EQ(text.GetCapacity(), 10u);
    text.SetUTF16(text.GetUTF16());
    EXPECT_EQ(BytesOf(text), "123456789");
    text.SetUTF16(text.GetUTF16() + 3);
    EXPECT_EQ(BytesOf(text), "456789");
    ExpectTerminated(text);
}

TEST(FCStringStorage, IsEqualCStringComparesTheEightBitView) {
    struct Case {
        const char16_t* stored;
        const char* compared;
        bool equal;
    };
    const Case cases[] = {
        {u"abc", "abc", true},  {u"abc", "ab", false},     {u"ab", "abc", false},
        {u"abc", "abd", false}, {u"", "", true},           {u"", nullptr, true},
        {u"a", nullptr, false}, {u"\u00E9", "\xE9", true}, {u"\u0141", "A", true},
    };
    for (const Case& c : cases) {
        FCString text;
        text.SetUTF16(c.stored);
        EXPECT_EQ(text.IsEqualCString(c.compared), c.equal)
            << "compared with " << (c.compared ? c.compared : "(null)");
    }
}

// ---------------------------------------------------------------------------------------------
// Buffer growth

TEST(FCStringGrowth, AppendingOneUnitAtATimeFollowsTheGrowthSteps) {
    // Capacity after the text reaches the given length: the next multiple of the step above
    // the length, the step being 10 while the old capacity is at most 1000, 100 while it is at
    // most 10000, else 1000. A buffer whose last unit is taken by the terminator regrows, so the
    // new step shows one unit before the old capacity is exceeded (1009, 10099).
    const std::vector<std::pair<std::uint64_t, std::uint64_t>> expected = {
        {1, 10},        {9, 10},        {10, 20},       {19, 20},       {20, 30},
        {999, 1000},    {1000, 1010},   {1008, 1010},   {1009, 1100},   {1099, 1100},
        {1100, 1200},   {9999, 10000},  {10000, 10100}, {10098, 10100}, {10099, 11000},
        {10999, 11000}, {11000, 12000},
    };
    FCString text;
    std::string model;
    std::size_t next = 0;
    for (std::uint64_t length = 1; length <= expected.back().first; ++length) {
        const char unit[2] = {static_cast<char>('a' + length % 26), '\0'};
        text.AppendCString(unit);
        model += unit;
        if (length == expected[next].first) {
            EXPECT_EQ(text.GetCapacity(), expected[next].second) << "at length " << length;
            ExpectTerminated(text);
            ++next;
        }
    }
    // Every reallocation must have carried the earlier units along.
    EXPECT_EQ(BytesOf(text), model);
}

TEST(FCStringGrowth, ReserveTakesItsStepFromTheOldCapacity) {
    struct Case {
        std::uint64_t first;
        std::uint64_t second;
        std::uint64_t capacity;
    };
    const Case cases[] = {
        {0, 5000, 5010},       // the first reserve gives 10, still a step of 10
        {1050, 5000, 5100},    // the first reserve gives 1060, past 1000: a step of 100
        {20000, 20500, 21000}, // the first reserve gives 20010, past 10000: a step of 1000
        {20000, 21000, 22000}, // the next multiple above 21000, not 21000 itself
        {0, 8, 10},            // 10 units hold 8 and a terminator: no change
    };
    for (const Case& c : cases) {
        FCString text;
        text.Reserve(c.first);
        text.Reserve(c.second);
        EXPECT_EQ(text.GetCapacity(), c.capacity) << c.first << " then " << c.second;
    }
}

TEST(FCStringGrowth, ReserveWithRoomToSpareKeepsTheBuffer) {
    FCString text("keep");
    const char16_t* before = text.GetUTF16();
    text.Reserve(8);
    EXPECT_EQ(text.GetUTF16(), before);
    EXPECT_EQ(BytesOf(text), "keep");

    text.Reserve(500);
    EXPECT_EQ(text.GetCapacity(), 510u);
    EXPECT_EQ(BytesOf(text), "keep");
    ExpectTerminated(text);
}

// ---------------------------------------------------------------------------------------------
// Formatting and numbers

TEST(FCStringFormat, FormatsLikePrintfAndReturnsTheStoredLength) {
    FCString text("old text that is longer than the result");
    EXPECT_EQ(text.Format("%d-%s|%5.2f", 42, "ab", 3.14159), 11);
    EXPECT_EQ(BytesOf(text), "42-ab| 3.14");
    EXPECT_EQ(text.GetLength(), 11u);
}

TEST(FCStringFormat, LongResultIsCutToTheWorkArea) {
    const std::string argument(5000, 'x');
    FCString text;
    EXPECT_EQ(text.Format("<%s>", argument.c_str()), 2047);
    EXPECT_EQ(text.GetLength(), 2047u);
    EXPECT_EQ(BytesOf(text), "<" + std::string(2046, 'x'));
}

TEST(FCStringFormat, ResultStopsAtAnEmbeddedZero) {
    FCString text;
    EXPECT_EQ(text.Format("a%cb", 0), 1);
    EXPECT_EQ(BytesOf(text), "a");
}

TEST(FCStringFormat, FormattingErrorGivesEmptyText) {
    // A wide character that the C locale cannot convert makes vsnprintf fail.
    FCString text("before");
    EXPECT_EQ(text.Format("%ls", L"\u0100"), 0);
    EXPECT_TRUE(text.IsEmpty());
    ExpectTerminated(text);
}

TEST(FCStringNumbers, SetIntegerWritesDecimalText) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "0"},
        {-1, "-1"},
        {1234567, "1234567"},
        {std::numeric_limits<std::int32_t>::max(), "2147483647"},
        {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
    };
    for (const auto& [value, expected] : cases) {
        FCString text("x");
        text.SetInteger(value);
        EXPECT_EQ(BytesOf(text), expected);
    }
}

TEST(FCStringNumbers, SetFloatWritesSixDecimalsWithAPoint) {
    const std::pair<float, const char*> cases[] = {
        {0.0f, "0.000000"},
        {1.5f, "1.500000"},
        {-0.25f, "-0.250000"},
        {0.1f, "0.100000"},
        {2.0000005f, "2.000000"},
        {1e10f, "10000000000.000000"},
        {123.456f, "123.456001"},
        {std::numeric_limits<float>::max(), "340282346638528859811704183484516925440.000000"},
        {-std::numeric_limits<float>::max(), "-340282346638528859811704183484516925440.000000"},
    };
    for (const auto& [value, expected] : cases) {
        FCString text;
        text.SetFloat(value);
        EXPECT_EQ(BytesOf(text), expected);
    }
}

TEST(FCStringNumbers, GetFloatReadsTheLeadingNumber) {
    const std::pair<const char*, float> cases[] = {
        {"1,25", 1.25f}, {"1.25", 1.25f}, {"abc", 0.0f},    {"", 0.0f},      {"-", 0.0f},
        {".", 0.0f},     {"inf", 0.0f},   {"12abc", 12.0f}, {"+2.5", 2.5f},  {"-3,5e2 pt", -350.0f},
        {"  7", 7.0f},   {".5", 0.5f},    {"7.", 7.0f},     {"1e", 1.0f},    {"1e+", 1.0f},
        {"2E-1", 0.2f},  {"1,5,7", 1.5f}, {"0x10", 0.0f},   {"1e-50", 0.0f},
    };
    for (const auto& [stored, expected] : cases) {
        const FCString text(stored);
        EXPECT_FLOAT_EQ(text.GetFloat(), expected) << "text \"" << stored << "\"";
    }
}

TEST(FCStringNumbers, GetFloatBeyondTheFloatRangeIsInfinite) {
    const FCString large("1e39");
    const FCString negativeLarge("-1e40");
    const FCString longExponent("1e99999999999999999999");
    EXPECT_EQ(large.GetFloat(), std::numeric_limits<float>::infinity());
    EXPECT_EQ(negativeLarge.GetFloat(), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(longExponent.GetFloat(), std::numeric_limits<float>::infinity());
}

TEST(FCStringNumbers, GetFloatLeavesTheTextUnchanged) {
    const FCString text("1,25");
    EXPECT_FLOAT_EQ(text.GetFloat(), 1.25f);
    EXPECT_EQ(BytesOf(text), "1,25");
}

TEST(FCStringNumbers, FloatTextReadsBackAsTheSameValue) {
    for (const float value : {0.0f, 1.0f, -2.5f, 0.125f, 1234.5f, 99999.875f}) {
        FCString text;
        text.SetFloat(value);
        EXPECT_EQ(text.GetFloat(), value) << BytesOf(text);
    }
}

// ---------------------------------------------------------------------------------------------
// Searching and editing

struct FindCase {
    const char* needle;
    std::uint64_t start;
    std::int64_t position;
};

const FindCase findCases[] = {
    {"bc", 0, 1},       {"bc", 1, 1},   {"bc", 2, 4}, {"bc", 5, -1}, {"abcabc", 0, 0},
    {"abcabcx", 0, -1}, {"c", 6, -1},   {"", 0, 0},   {"", 3, 3},    {"", 6, 6},
    {"", 7, -1},        {"a", 100, -1}, {"x", 0, -1},
};

TEST(FCStringFind, FindStringAndFindCStringAgree) {
    const FCString text("abcabc");
    for (const FindCase& c : findCases) {
        const FCString needle(c.needle);
        EXPECT_EQ(text.FindString(&needle, c.start), c.position)
            << "\"" << c.needle << "\" from " << c.start;
        EXPECT_EQ(text.FindCString(c.needle, c.start), c.position)
            << "\"" << c.needle << "\" from " << c.start;
    }
}

TEST(FCStringFind, MissingNeedlesAndEmptyHaystacks) {
    const FCString text("abcabc");
    EXPECT_EQ(text.FindString(nullptr, 0), -1);
    EXPECT_EQ(text.FindCString(nullptr, 0), -1);
    EXPECT_EQ(text.FindFirstCString(nullptr), -1);
    EXPECT_EQ(text.FindFirstCString(""), -1);
    EXPECT_EQ(text.FindFirstCString("ca"), 2);

    const FCString empty;
    const FCString needle("a");
    EXPECT_EQ(empty.FindString(&needle, 0), -1);
    EXPECT_EQ(empty.FindCString("", 0), 0);
    EXPECT_EQ(empty.FindFirstCString("a"), -1);
}

TEST(FCStringFind, HighBytesFindTheirWidenedUnits) {
    FCString text;
    text.SetUTF16(u"caf\u00E9 cr\u00E8me");
    EXPECT_EQ(text.FindFirstCString("\xE8"), 7);
    EXPECT_EQ(text.FindCString("\xE9 ", 0), 3);
}

TEST(FCStringEdit, ReplaceCStringReplacesEveryOccurrence) {
    struct Case {
        const char* stored;
        const char* find;
        const char* replacement;
        const char* result;
        bool replaced;
    };
    const Case cases[] = {
        {"1,,2", ",", ".", "1..2", true},
        {"aaa", "a", "aa", "aaaaaa", true}, // an inserted replacement is not searched again
        {"aaaaa", "aa", "b", "bba", true},  // occurrences do not overlap
        {"abab", "ab", "", "", true},
        {"abab", "ab", nullptr, "", true},
        {"xabx", "ab", "a much longer replacement", "xa much longer replacementx", true},
        {"abc", "x", "y", "abc", false},
        {"abc", "", "y", "abc", false},
        {"abc", nullptr, "y", "abc", false},
        {"", "a", "b", "", false},
        {"1.5", ".", ",", "1,5", true},
        {"na\xEFve", "\xEF", "i", "naive", true},
    };
    for (const Case& c : cases) {
        FCString text(c.stored);
        EXPECT_EQ(text.ReplaceCString(c.find, c.replacement), c.replaced) << c.stored;
        EXPECT_EQ(BytesOf(text), c.result) << c.stored;
        ExpectTerminated(text);
    }
}

TEST(FCStringEdit, ReplaceCStringWidensReplacementBytesAsUnsigned) {
    FCString text("x-x");
    ASSERT_TRUE(text.ReplaceCString("-", "\xB0"));
    EXPECT_EQ(UnitsOf(text), u"x\u00B0x");
}

TEST(FCStringEdit, DeleteLeftRemovesLeadingUnits) {
    struct Case {
        std::uint64_t count;
        bool deleted;
        const char* result;
    };
    const Case cases[] = {
        {0, false, "abcde"}, {6, false, "abcde"}, {1, true, "bcde"}, {4, true, "e"}, {5, true, ""},
    };
    for (const Case& c : cases) {
        FCString text("abcde");
        EXPECT_EQ(text.DeleteLeft(c.count), c.deleted) << "count " << c.count;
        EXPECT_EQ(BytesOf(text), c.result) << "count " << c.count;
        ExpectTerminated(text);
    }
    FCString empty;
    EXPECT_FALSE(empty.DeleteLeft(1));
}

TEST(FCStringEdit, TrimWhitespaceRemovesSpaceTabAndLineEnds) {
    const std::pair<const char*, const char*> cases[] = {
        {" \t\r\nword and word \r\n\t ", "word and word"},
        {"   ", ""},
        {"", ""},
        {"plain", "plain"},
        {"\vkept\f", "\vkept\f"},
        {"\n\nx", "x"},
        {"x\t\t", "x"},
    };
    for (const auto& [stored, expected] : cases) {
        FCString text(stored);
        text.TrimWhitespace();
        EXPECT_EQ(BytesOf(text), expected) << "\"" << stored << "\"";
        ExpectTerminated(text);
    }
}

TEST(FCStringEdit, TrimLineEndsKeepsSpacesAndTabs) {
    const std::pair<const char*, const char*> cases[] = {
        {"\r\n value \t\r\n", " value \t"},
        {"\n\r\n", ""},
        {"\tline\n", "\tline"},
        {"a\r\nb", "a\r\nb"},
    };
    for (const auto& [stored, expected] : cases) {
        FCString text(stored);
        text.TrimLineEnds();
        EXPECT_EQ(BytesOf(text), expected) << "\"" << stored << "\"";
        ExpectTerminated(text);
    }
}

// ---------------------------------------------------------------------------------------------
// String resources

// Modules stay registered for the whole run: the remembered handle must never dangle.
class FCStringResources : public ::testing::Test {
protected:
    static HMODULE ResourceModule() {
        static const HMODULE module =
            NativeRegisterModule("fcstring-test-resources.fxt", nullptr, nullptr,
                                 NativeResourceData, NativeResourceData_size);
        return module;
    }
    static HMODULE ModuleWithoutResources() {
        static const HMODULE module =
            NativeRegisterModule("fcstring-test-empty.fxt", nullptr, nullptr, nullptr, 0);
        return module;
    }
};

// Runs in a fresh process, where no module handle has been remembered yet, whatever other tests
// of this run have loaded before.
TEST(FCStringResourcesDeathTest, LoadWithoutAnyKnownHandleFails) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            FCString text("unchanged?");
            const bool loaded = text.LoadResourceString(IDS_MENU_TEXT);
            std::cerr << "loaded=" << loaded << " text=" << text.GetCString() << "\n";
            std::exit(!loaded && text.IsEqualCString("Resource String Error") ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "loaded=0 text=Resource String Error");
}

TEST_F(FCStringResources, LoadsTextsFromTheGivenModule) {
    FCString text;
    ASSERT_TRUE(text.LoadResourceString(IDS_MENU_TEXT, ResourceModule()));
    EXPECT_EQ(BytesOf(text), "ZR Calvex...");

    ASSERT_TRUE(text.LoadResourceString(IDS_MSG_WRONG_COMBINATION, ResourceModule()));
    EXPECT_EQ(BytesOf(text),
              "The \"Redistribute Non-Rest Measures\" spacing mode only works in the \"Region "
              "in Current Score/Part\" scope.\n\nPlease change scope or spacing mode and try "
              "again.");
    ExpectTerminated(text);
}

TEST_F(FCStringResources, LaterLoadsUseTheRememberedModule) {
    FCString text;
    ASSERT_TRUE(text.LoadResourceString(IDS_MENU_TEXT, ResourceModule()));
    EXPECT_TRUE(text.LoadResourceString(IDS_MENU_DESCRIPTION));
    EXPECT_EQ(BytesOf(text), "Spaces empty rests and multi-measure rests according to duration.");
}

TEST_F(FCStringResources, MissingStringGivesTheErrorText) {
    FCString text("previous");
    EXPECT_FALSE(text.LoadResourceString(999, ResourceModule()));
    EXPECT_EQ(BytesOf(text), "Resource String Error");

    // A module without a string table fails the same way, and a later load without a handle
    // still goes to that remembered module.
    EXPECT_FALSE(text.LoadResourceString(IDS_MENU_TEXT, ModuleWithoutResources()));
    EXPECT_EQ(BytesOf(text), "Resource String Error");
    EXPECT_FALSE(text.LoadResourceString(IDS_MENU_TEXT));
    EXPECT_EQ(BytesOf(text), "Resource String Error");

    // Leave the module with the real resources remembered.
    EXPECT_TRUE(text.LoadResourceString(IDS_MENU_TEXT, ResourceModule()));
}

} // namespace
