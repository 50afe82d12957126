#include "platform/native/DialogTemplate.h"
#include "support/HostFixture.h"

#include <vector>

namespace {

class DialogTemplateTest : public HostFixture {
protected:
    // The bytes of the plug-in's dialog 20128 as the resource compiler wrote them.
    std::vector<unsigned char> PluginTemplate() {
        std::size_t size = 0;
        const unsigned char* bytes = NativeFindResource(PluginHandle(), 5, 20128, &size);
        return bytes ? std::vector<unsigned char>(bytes, bytes + size)
                     : std::vector<unsigned char>();
    }
};

struct ItemCase {
    std::size_t index;
    std::int32_t id;
    const char16_t* className;
    const char16_t* text;
    std::uint32_t style;
    DialogUnitRect rect;
};

TEST_F(DialogTemplateTest, ReadsTheDialogAndEveryItem) {
    const std::vector<unsigned char> bytes = PluginTemplate();
    DialogTemplate dialog;
    ASSERT_TRUE(dialog.Parse(bytes));
    EXPECT_EQ(dialog.style, 0x90CA00C0u);
    EXPECT_EQ(dialog.title, u"ZR Calvex");
    EXPECT_EQ(dialog.rect.x, 20);
    EXPECT_EQ(dialog.rect.y, 40);
    EXPECT_EQ(dialog.rect.cx, 260);
    EXPECT_EQ(dialog.rect.cy, 180);
    ASSERT_EQ(dialog.items.size(), 19u);
    // The resource compiler names the predefined classes in capitals.
    const ItemCase cases[] = {
        {0, 101, u"STATIC", u"Spacing M&ode:", 0x50020000, {10, 10, 120, 8}},
        {1, 102, u"COMBOBOX", u"", 0x50010203, {10, 20, 120, 30}},
        {4, -1, u"BUTTON", u"Single Rests", 0x50000007, {10, 40, 240, 55}},
        {7, 107, u"EDIT", u"", 0x50810080, {70, 75, 50, 12}},
        {13, 111, u"EDIT", u"", 0x50810080, {100, 118, 20, 12}},
        {18, 2, u"BUTTON", u"&Close", 0x50010000, {140, 160, 40, 14}},
    };
    for (const ItemCase& c : cases) {
        const DialogItemTemplate& item = dialog.items[c.index];
        EXPECT_EQ(item.id, c.id) << c.index;
        EXPECT_EQ(item.className, c.className) << c.index;
        EXPECT_EQ(item.text, c.text) << c.index;
        EXPECT_EQ(item.style, c.style) << c.index;
        EXPECT_EQ(item.exStyle, 0u) << c.index;
        EXPECT_EQ(item.rect.x, c.rect.x) << c.index;
        EXPECT_EQ(item.rect.y, c.rect.y) << c.index;
        EXPECT_EQ(item.rect.cx, c.rect.cx) << c.index;
        EXPECT_EQ(item.rect.cy, c.rect.cy) << c.index;
    }
}

TEST_F(DialogTemplateTest, EveryCutShortTemplateIsRefused) {
    const std::vector<unsigned char> bytes = PluginTemplate();
    ASSERT_FALSE(bytes.empty());
    // The template ends with the last item's creation-data count: every shorter prefix lacks it.
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        // A buffer of exactly that size, so the sanitizers see any read beyond it.
        const std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + size);
        DialogTemplate dialog;
        EXPECT_FALSE(dialog.Parse(cut)) << size;
    }
}

TEST(DialogTemplateParseTest, OtherTemplatesAreRefused) {
    // An old-style DLGTEMPLATE starts with its style, not with version 1 and 0xFFFF.
    const std::vector<unsigned char> plain = {0xC0, 0x00, 0xCA, 0x90, 0, 0, 0, 0, 0, 0,
                                              0,    0,    0,    0,    0, 0, 0, 0, 0, 0};
    DialogTemplate dialog;
    EXPECT_FALSE(dialog.Parse(plain));
    EXPECT_FALSE(dialog.Parse({}));
}

// Items name their class by text or by ordinal and may carry creation data, which is skipped.
TEST(DialogTemplateParseTest, ClassNamesOrdinalsAndCreationDataAreRead) {
    std::vector<unsigned char> bytes = {1, 0, 0xFF, 0xFF, 0,  0, 0,    0, 0,
                                        0, 0, 0,    0,    0,  0, 0x80, 2, 0, // two items
                                        0, 0, 0,    0,    50, 0, 20,   0,    // rectangle
                                        0, 0, 0,    0,    0,  0};            // menu, class, title
    const auto word = [&bytes](std::uint16_t value) {
        bytes.push_back(static_cast<unsigned char>(value));
        bytes.push_back(static_cast<unsigned char>(value >> 8));
    };
    const auto text = [&word](const char16_t* units) {
        for (; *units; ++units) {
            word(*units);
        }
        word(0);
    };
    // A class ordinal of 0 names the class by text; a title of null is an ordinal (an icon).
    const auto item = [&](std::uint16_t id, std::uint16_t classOrdinal, const char16_t* className,
                          const char16_t* title, std::uint16_t extra) {
        while (bytes.size() % 4 != 0) {
            bytes.push_back(0);
        }
        for (int field = 0; field < 3; ++field) { // help ID, extended style, style
            word(0);
            word(field == 2 ? 0x5000 : 0);
        }
        for (int coordinate = 0; coordinate < 4; ++coordinate) {
            word(5);
        }
        word(id);
        word(0);
        if (classOrdinal != 0) {
            word(0xFFFF);
            word(classOrdinal);
        } else {
            text(className);
        }
        if (title) {
            text(title);
        } else {
            word(0xFFFF);
            word(7);
        }
        word(extra);
        for (std::uint16_t i = 0; i < extra; ++i) {
            bytes.push_back(0xEE);
        }
    };
    item(7, 0, u"msctls_updown32", nullptr, 3);
    item(8, 0x0085, nullptr, u"Go", 0);
    DialogTemplate dialog;
    ASSERT_TRUE(dialog.Parse(bytes));
    ASSERT_EQ(dialog.items.size(), 2u);
    EXPECT_EQ(dialog.items[0].className, u"msctls_updown32");
    EXPECT_EQ(dialog.items[0].text, u"");
    EXPECT_EQ(dialog.items[0].style, 0x50000000u);
    EXPECT_EQ(dialog.items[1].id, 8);
    EXPECT_EQ(dialog.items[1].className, u"ComboBox");
    EXPECT_EQ(dialog.items[1].text, u"Go");
    EXPECT_EQ(dialog.items[1].rect.cy, 5);
}

} // namespace
