#include "host/picture/PicturePlan.h"

#include "host/picture/PictureFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

using Kind = PicturePlan::Kind;

bool Inside(const PicturePlan::Box& box, const PicturePlan::Rect& rect) {
    return box.x >= rect.x && box.y >= rect.y && box.x + box.width <= rect.x + rect.width &&
           box.y + box.height <= rect.y + rect.height;
}

// The boxes of one panel's column as rows of "M1", "E2", "R2x2" (a rest over two measures),
// "*" marking a changed width: "M1 R2x2* | M4*".
std::string ColumnText(const PicturePlan& plan, std::size_t panel, bool after) {
    std::map<double, std::string> rows;
    for (const PicturePlan::Box& box : plan.boxes) {
        if (!Inside(box, plan.panels[panel]) || (box.x > plan.width / 2) != after) {
            continue;
        }
        std::string& row = rows[box.y];
        row += row.empty() ? "" : " ";
        row += box.kind == Kind::Music ? 'M' : box.kind == Kind::Empty ? 'E' : 'R';
        row += std::to_string(box.first);
        row += box.kind == Kind::Rest ? "x" + std::to_string(box.count) : "";
        row += box.changed ? "*" : "";
    }
    std::string text;
    for (const auto& [y, row] : rows) {
        text += (text.empty() ? "" : " | ") + row;
    }
    return text;
}

const PicturePlan::Box& BoxAt(const PicturePlan& plan, Kind kind, std::int32_t first, bool after) {
    const auto found = std::find_if(plan.boxes.begin(), plan.boxes.end(), [&](const auto& box) {
        return box.kind == kind && box.first == first && (box.x > plan.width / 2) == after;
    });
    EXPECT_NE(found, plan.boxes.end());
    return *found;
}

TEST(PicturePlanTest, EachSystemARowOfMeasuresAndRestsWithChangedWidthsMarked) {
    const PicturePlan plan = PicturePlan::Make(PictureBefore(), PictureAfter(), "the title");
    ASSERT_EQ(plan.panels.size(), 2u);
    // The rest stands in for measures 2 and 3, also where measure 3 begins the next system.
    EXPECT_EQ(ColumnText(plan, 0, false), "M1 R2x2* | M4*");
    EXPECT_EQ(ColumnText(plan, 0, true), "M1 R2x2* M4*");
    EXPECT_EQ(ColumnText(plan, 1, false), "E1 E2");
    EXPECT_EQ(ColumnText(plan, 1, true), "E1 E2");
    EXPECT_EQ(plan.boxes.size(), 10u);
}

TEST(PicturePlanTest, BoxesAreDrawnToOneScaleInsideTheirPanels) {
    const PicturePlan plan = PicturePlan::Make(PictureBefore(), PictureAfter(), "the title");
    const double measure = BoxAt(plan, Kind::Music, 1, true).width;
    EXPECT_DOUBLE_EQ(BoxAt(plan, Kind::Rest, 2, true).width, 2 * measure);
    EXPECT_DOUBLE_EQ(BoxAt(plan, Kind::Rest, 2, false).width, 1.5 * measure);
    EXPECT_DOUBLE_EQ(BoxAt(plan, Kind::Empty, 1, false).width, measure / 2);
    // The system width mark lies where five measures of 200 end.
    const PicturePlan::Box& first = BoxAt(plan, Kind::Music, 1, false);
    EXPECT_DOUBLE_EQ(plan.systemWidthMarks[0].x, first.x + 5 * measure);
    EXPECT_LT(plan.panels[0].y + plan.panels[0].height, plan.panels[1].y);
    for (const PicturePlan::Box& box : plan.boxes) {
        EXPECT_TRUE(Inside(box, plan.panels[0]) || Inside(box, plan.panels[1]));
    }
    EXPECT_LE(plan.panels[1].y + plan.panels[1].height, plan.height);
}

TEST(PicturePlanTest, TitlePartNamesAndRestLengthsAreWritten) {
    const PicturePlan plan = PicturePlan::Make(PictureBefore(), PictureAfter(), "the title");
    std::map<std::string, const PicturePlan::Label*> labels;
    for (const PicturePlan::Label& label : plan.labels) {
        labels.emplace(label.text, &label);
    }
    EXPECT_EQ(plan.labels.front().text, "the title");
    EXPECT_TRUE(labels.count("Score") && labels.count("Part 5"));
    EXPECT_TRUE(labels.count("Before") && labels.count("After"));
    // The rest's length over it, in both columns.
    const PicturePlan::Box& rest = BoxAt(plan, Kind::Rest, 2, true);
    const auto lengths =
        std::count_if(plan.labels.begin(), plan.labels.end(), [](const auto& label) {
            return label.style == PicturePlan::Style::RestCount && label.text == "2";
        });
    EXPECT_EQ(lengths, 2);
    const auto over = std::find_if(plan.labels.begin(), plan.labels.end(), [&](const auto& label) {
        return label.style == PicturePlan::Style::RestCount && label.x > plan.width / 2;
    });
    ASSERT_NE(over, plan.labels.end());
    EXPECT_DOUBLE_EQ(over->x, rest.x + rest.width / 2);
    EXPECT_LT(over->y, rest.y);
}

TEST(PicturePlanTest, APartMissingFromOneSideIsDrawnAsAllChanged) {
    LayoutSnapshot before = PictureBefore();
    before.parts.pop_back();
    const PicturePlan plan = PicturePlan::Make(before, PictureAfter(), "");
    ASSERT_EQ(plan.panels.size(), 2u);
    EXPECT_EQ(ColumnText(plan, 1, false), "");
    EXPECT_EQ(ColumnText(plan, 1, true), "E1* E2*");
}

TEST(PicturePlanTest, PartsAndMeasuresAreNamedInTheScoresOwnTerms) {
    LayoutSnapshot after = PictureAfter();
    after.terms.SetBarNumbers({"0", "1", "2", "3"});
    after.terms.SetPartName(5, "Flute");
    const PicturePlan plan = PicturePlan::Make(PictureBefore(), after, "");
    std::vector<std::string> headings;
    std::vector<std::string> numbers;
    std::vector<std::string> systems;
    for (const PicturePlan::Label& label : plan.labels) {
        if (label.style == PicturePlan::Style::Heading) {
            headings.push_back(label.text);
        } else if (label.style == PicturePlan::Style::MeasureNumber && label.x > plan.width / 2 &&
                   label.y < plan.panels[0].y + plan.panels[0].height) {
            numbers.push_back(label.text);
        } else if (label.style == PicturePlan::Style::Caption && label.x > plan.width / 2 &&
                   label.text.find_first_of("0123456789") == 0) {
            systems.push_back(label.text);
        }
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"Score", "Flute"}));
    // The score's measures 1 and 4 are its bars 0 and 3, the one system holds bars 0-3.
    EXPECT_EQ(numbers, (std::vector<std::string>{"0", "3"}));
    EXPECT_EQ(systems.front(), "0\u20133");
}

} // namespace
