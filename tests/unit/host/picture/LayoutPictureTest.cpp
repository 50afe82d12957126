#include "host/picture/LayoutPicture.h"

#include "host/picture/PictureFixture.h"
#include "host/picture/PicturePages.h"
#include "host/picture/PicturePlan.h"
#include "host/picture/native/PicturePainter.h"
#include "tests/support/TemporaryFolder.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace {

using Kind = PicturePlan::Kind;

class LayoutPictureTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return (folder_.Path() / name).string(); }

    TemporaryFolder folder_;
};

std::uint32_t Pixel(cairo_surface_t* surface, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, row + 4 * x, sizeof pixel);
    return pixel & 0xFFFFFF;
}

std::uint32_t Rgb(const PicturePainter::Colour& colour) {
    const auto channel = [](double value) {
        return static_cast<std::uint32_t>(std::lround(value * 255));
    };
    return channel(colour.red) << 16 | channel(colour.green) << 8 | channel(colour.blue);
}

// Cairo rounds a colour's channels its own way: a step of one either way is the same colour.
bool SameColour(std::uint32_t pixel, const PicturePainter::Colour& colour) {
    const std::uint32_t wanted = Rgb(colour);
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((pixel >> shift) & 0xFF) -
                     static_cast<int>((wanted >> shift) & 0xFF)) > 1) {
            return false;
        }
    }
    return true;
}

// The colour most pixels inside the box have, a few pixels in from its edges.
std::uint32_t MainColour(cairo_surface_t* surface, const PicturePlan::Box& box) {
    std::map<std::uint32_t, int> counts;
    for (int y = static_cast<int>(box.y) + 3; y < static_cast<int>(box.y + box.height) - 3; ++y) {
        for (int x = static_cast<int>(box.x) + 3; x < static_cast<int>(box.x + box.width) - 3;
             ++x) {
            ++counts[Pixel(surface, x, y)];
        }
    }
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

// The box where a page shows it.
PicturePlan::Box OnPage(PicturePlan::Box box, const PicturePages::Page& page) {
    box.y += page.top - page.from;
    return box;
}

TEST_F(LayoutPictureTest, EachPageShowsItsBoxesBelowItsHeadingBand) {
    const LayoutSnapshot layout = TallLayout(12, 20);
    const PicturePlan plan = PicturePlan::Make(layout, layout, "title");
    const std::vector<PicturePages::Page> pages = PicturePages::Of(plan);
    ASSERT_GT(pages.size(), 2u);
    const PicturePages::Page& page = pages[1];
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_RGB24, static_cast<int>(plan.width), static_cast<int>(page.height));
    cairo_t* cairo = cairo_create(surface);
    PicturePainter::PaintPage(cairo, plan, page);
    cairo_surface_flush(surface);
    int shown = 0;
    for (const PicturePlan::Box& box : plan.boxes) {
        if (box.y >= page.from && box.y + box.height <= page.to) {
            ++shown;
            EXPECT_TRUE(SameColour(MainColour(surface, OnPage(box, page)),
                                   PicturePainter::FillOf(box.kind)))
                << "box of measure " << box.first << " at " << box.y;
        }
    }
    EXPECT_GT(shown, 0);
    // Nothing of the plan above the page's part is drawn into its heading band.
    int musicInBand = 0;
    for (int y = 0; y < static_cast<int>(page.top); ++y) {
        for (int x = 0; x < static_cast<int>(plan.width); ++x) {
            musicInBand += SameColour(Pixel(surface, x, y), PicturePainter::FillOf(Kind::Music));
        }
    }
    EXPECT_EQ(musicInBand, 0);
    cairo_destroy(cairo);
    cairo_surface_destroy(surface);
}

TEST_F(LayoutPictureTest, EveryBoxIsPaintedInItsKindsColourAndOnlyChangedOnesAreFramedRed) {
    const PicturePlan plan = PicturePlan::Make(PictureBefore(), PictureAfter(), "title");
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_RGB24, static_cast<int>(plan.width), static_cast<int>(plan.height));
    cairo_t* cairo = cairo_create(surface);
    PicturePainter::Paint(cairo, plan);
    cairo_surface_flush(surface);
    for (const PicturePlan::Box& box : plan.boxes) {
        SCOPED_TRACE("box of measure " + std::to_string(box.first) + " at x " +
                     std::to_string(box.x));
        EXPECT_TRUE(SameColour(MainColour(surface, box), PicturePainter::FillOf(box.kind)));
        const std::uint32_t above =
            Pixel(surface, static_cast<int>(box.x + box.width / 2), static_cast<int>(box.y) - 1);
        EXPECT_EQ(SameColour(above, PicturePainter::ChangedOutline()), box.changed);
    }
    cairo_destroy(cairo);
    cairo_surface_destroy(surface);
}

TEST_F(LayoutPictureTest, WritesAnSvgWithAPathForEveryBox) {
    const std::string path = PathOf("layout.svg");
    std::string error;
    ASSERT_TRUE(LayoutPicture::Write(path, PictureBefore(), PictureAfter(), "title", error))
        << error;
    pugi::xml_document svg;
    ASSERT_TRUE(svg.load_file(path.c_str()));
    const pugi::xml_node root = svg.document_element();
    EXPECT_STREQ(root.name(), "svg");
    const PicturePlan plan = PicturePlan::Make(PictureBefore(), PictureAfter(), "title");
    EXPECT_EQ(std::string(root.attribute("width").value()),
              std::to_string(static_cast<int>(plan.width)) + "pt");
    // Each measure box and legend sample is one filled path in its kind's colour.
    std::map<Kind, int> expected;
    for (const auto* boxes : {&plan.boxes, &plan.legend}) {
        for (const PicturePlan::Box& box : *boxes) {
            ++expected[box.kind];
        }
    }
    for (const Kind kind : {Kind::Music, Kind::Empty, Kind::Rest}) {
        const PicturePainter::Colour colour = PicturePainter::FillOf(kind);
        char fill[64];
        std::snprintf(fill, sizeof fill, "fill:rgb(%g%%,%g%%,%g%%)", colour.red * 100,
                      colour.green * 100, colour.blue * 100);
        int found = 0;
        for (const pugi::xpath_node& node : svg.select_nodes("//path")) {
            found +=
                std::string(node.node().attribute("style").value()).find(fill) != std::string::npos;
        }
        EXPECT_EQ(found, expected[kind]) << fill;
    }
    // Written whole under its own name: nothing else is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1);
}

TEST_F(LayoutPictureTest, WritesAPngOfThePlansSize) {
    const std::string path = PathOf("layout.PNG");
    std::string error;
    ASSERT_TRUE(LayoutPicture::Write(path, PictureBefore(), PictureAfter(), "title", error))
        << error;
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    const PicturePlan plan = PicturePlan::Make(PictureBefore(), PictureAfter(), "title");
    EXPECT_EQ(cairo_image_surface_get_width(png), static_cast<int>(std::ceil(plan.width)));
    EXPECT_EQ(cairo_image_surface_get_height(png), static_cast<int>(std::ceil(plan.height)));
    cairo_surface_destroy(png);
}

TEST_F(LayoutPictureTest, APictureThatCannotBeWrittenIsRefusedAndLeavesNoFile) {
    const struct {
        std::string path;
        const char* message;
    } cases[] = {
        {PathOf("layout.jpg"), "a picture is written as .svg, .png or .pdf"},
        {PathOf("layout"), "a picture is written as .svg, .png or .pdf"},
        {PathOf("missing/layout.svg"), "cannot be written"},
        {PathOf("missing/layout.png"), "cannot be written"},
        {PathOf("missing/layout.pdf"), "cannot be written"},
    };
    for (const auto& bad : cases) {
        std::string error;
        EXPECT_FALSE(LayoutPicture::Write(bad.path, PictureBefore(), PictureAfter(), "", error));
        EXPECT_NE(error.find(bad.path + ": " + bad.message), std::string::npos) << error;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder_.Path()));
}

// The pages of a PDF file: cairo writes one page object for each.
std::size_t PdfPages(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    const std::regex page("/Type\\s*/Page\\b");
    return static_cast<std::size_t>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), page), {}));
}

TEST_F(LayoutPictureTest, APictureTooTallForPngIsRefusedNamingPdfAndWrittenAsPdfPages) {
    const LayoutSnapshot many = TallLayout(1000, 1);
    std::string error;
    EXPECT_FALSE(LayoutPicture::Write(PathOf("tall.png"), many, many, "", error));
    EXPECT_NE(error.find("too large for PNG; write it as .pdf"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(PathOf("tall.png")));
    EXPECT_TRUE(LayoutPicture::Write(PathOf("tall.svg"), many, many, "", error)) << error;
    const std::string pdf = PathOf("tall.pdf");
    ASSERT_TRUE(LayoutPicture::Write(pdf, many, many, "", error)) << error;
    const PicturePlan plan = PicturePlan::Make(many, many, "");
    EXPECT_EQ(PdfPages(pdf), PicturePages::Of(plan).size());
    EXPECT_GT(PdfPages(pdf), 30u);
}

} // namespace
