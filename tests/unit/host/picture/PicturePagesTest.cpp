#include "host/picture/PicturePages.h"

#include "host/picture/PictureFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The heading of the panel a plan position lies in, or empty between panels.
std::string PanelAt(const PicturePlan& plan, double y) {
    for (const PicturePlan::Rect& panel : plan.panels) {
        if (y <= panel.y || y >= panel.y + panel.height) {
            continue;
        }
        for (const PicturePlan::Label& label : plan.labels) {
            if (label.style == PicturePlan::Style::Heading && label.y > panel.y &&
                label.y < panel.y + panel.height) {
                return label.text;
            }
        }
    }
    return {};
}

TEST(PicturePagesTest, APlanThatFitsIsOnePageOfItsOwnHeight) {
    const PicturePlan plan = PicturePlan::Make(PictureBefore(), PictureAfter(), "title");
    const std::vector<PicturePages::Page> pages = PicturePages::Of(plan);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].from, 0);
    EXPECT_EQ(pages[0].to, plan.height);
    EXPECT_EQ(pages[0].height, plan.height);
    EXPECT_TRUE(pages[0].heading.empty());
}

TEST(PicturePagesTest, ATallPlanIsCutBetweenRowsIntoPagesThatEachHoldWhatTheyShow) {
    // Parts of one system, of a few systems and of more systems than a page holds.
    for (const std::int32_t systems : {1, 5, 60}) {
        SCOPED_TRACE(std::to_string(systems) + " systems a part");
        const LayoutSnapshot layout = TallLayout(20, systems);
        const PicturePlan plan = PicturePlan::Make(layout, layout, "Tall title");
        const std::vector<PicturePages::Page> pages = PicturePages::Of(plan);
        ASSERT_GT(pages.size(), 1u);
        const double pageHeight = std::ceil(plan.width * std::sqrt(2.0));
        EXPECT_EQ(pages.front().from, 0);
        EXPECT_EQ(pages.back().to, plan.height);
        for (std::size_t index = 0; index < pages.size(); ++index) {
            const PicturePages::Page& page = pages[index];
            EXPECT_EQ(page.height, pageHeight);
            EXPECT_LE(page.top + page.to - page.from, page.height);
            if (index == 0) {
                EXPECT_TRUE(page.heading.empty());
                continue;
            }
            EXPECT_EQ(page.from, pages[index - 1].to);
            // Every later page repeats the title and names the part it continues, if any.
            ASSERT_FALSE(page.heading.empty());
            EXPECT_EQ(page.heading[0].text, "Tall title");
            const std::string continued = PanelAt(plan, page.from);
            if (continued.empty()) {
                EXPECT_EQ(page.heading.size(), 1u);
            } else {
                ASSERT_EQ(page.heading.size(), 2u);
                EXPECT_EQ(page.heading[1].text, continued + " (continued)");
            }
        }
        // No box is cut by a page's end.
        for (const PicturePlan::Box& box : plan.boxes) {
            EXPECT_TRUE(std::any_of(pages.begin(), pages.end(),
                                    [&](const auto& page) {
                                        return box.y >= page.from && box.y + box.height <= page.to;
                                    }))
                << "box of measure " << box.first << " at " << box.y;
        }
    }
}

} // namespace
