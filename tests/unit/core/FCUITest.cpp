#include "framework/core/FCUI.h"
#include "platform/native/NativeUserScript.h"
#include "support/HostFixture.h"

namespace {

class FCUITest : public HostFixture {
protected:
    HWND owner = reinterpret_cast<HWND>(0x1234);
    FCUI ui{owner};
    FCString message{"Continue?"};
};

TEST_F(FCUITest, YesNoMapsTheUsersAnswer) {
    struct Case {
        int answer;
        int expected;
    };
    // 0 is a box that failed to appear; 2 is a Cancel the style never offers.
    const Case cases[] = {
        {IDYES, FCUI::kYes}, {IDNO, FCUI::kNo}, {0, FCUI::kOther}, {2, FCUI::kOther}};
    for (const Case& c : cases) {
        NativeScriptMessageBoxAnswers({c.answer});
        EXPECT_EQ(ui.AlertYesNo(&message, nullptr), c.expected) << "answer " << c.answer;
    }
}

TEST_F(FCUITest, YesNoAsksWithTheGivenTitleOrADefaultOne) {
    const FCString empty;
    const FCString title("Calvex");
    ui.AlertYesNo(&message, &empty);
    ui.AlertYesNo(&message, &title);
    const auto& boxes = NativeMessageBoxLog();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, u"Yes/No?");
    EXPECT_EQ(boxes[1].caption, u"Calvex");
    for (const NativeMessageBox& box : boxes) {
        EXPECT_EQ(box.owner, owner);
        EXPECT_EQ(box.text, u"Continue?");
        EXPECT_EQ(box.style, MB_YESNO);
    }
}

TEST_F(FCUITest, InformationShowsOneButtonUnderADefaultTitle) {
    const FCString info("Nothing is selected.");
    ui.AlertInfo(&info, nullptr);
    const auto& boxes = NativeMessageBoxLog();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].caption, u"Information");
    EXPECT_EQ(boxes[0].text, u"Nothing is selected.");
    EXPECT_EQ(boxes[0].style, MB_ICONINFORMATION);
}

TEST_F(FCUITest, DecimalSeparatorComesFromTheLocaleOrIsAPoint) {
    struct Case {
        const char* locale;
        const char* expected;
    };
    // A separator that does not fit the 8-byte area fails the lookup like a missing one.
    const Case cases[] = {{",", ","}, {"'", "'"}, {"12345678", "."}, {nullptr, "."}};
    for (const Case& c : cases) {
        NativeSetDecimalSeparator(c.locale);
        FCString separator("unchanged");
        FCUI().GetDecimalSeparator(&separator);
        EXPECT_STREQ(separator.GetCString(), c.expected);
    }
}

} // namespace
