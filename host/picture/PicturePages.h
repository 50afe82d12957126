// A picture plan cut into pages of one size for a multi-page file: each page as tall as its
// width times the square root of two, cut between panels or rows, and every page after the first
// headed by the title again and the name of the part it continues.
#pragma once

#include "host/picture/PicturePlan.h"

#include <vector>

class PicturePages {
public:
    struct Page {
        double from;   // the part of the plan the page shows, from its top...
        double to;     // ...to its bottom
        double top;    // where the plan's part begins on the page: below the heading band
        double height; // the page's height
        std::vector<PicturePlan::Label> heading; // in the page's own coordinates
    };

    // The height of the band that heads every page after the first.
    static constexpr double kHeadingBand = 60;

    // The pages, top down; a plan that fits one page is one page of its own height.
    static std::vector<Page> Of(const PicturePlan& plan);
};
