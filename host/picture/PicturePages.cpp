#include "host/picture/PicturePages.h"

#include <algorithm>
#include <cmath>

namespace {

using Label = PicturePlan::Label;

constexpr double kTitleBaseline = 34;
constexpr double kPartBaseline = 52;
constexpr double kHeadingInset = 20;

double PageHeight(const PicturePlan& plan) {
    return std::ceil(plan.width * std::sqrt(2.0));
}

// The lowest cut within the limit below the page's top; the first cut after it when none is (a
// row taller than a page), and the plan's end when there is no cut left.
std::vector<PicturePlan::Cut>::const_iterator PageEnd(const PicturePlan& plan, double from,
                                                      double limit) {
    const auto after =
        std::upper_bound(plan.cuts.begin(), plan.cuts.end(), from,
                         [](double y, const PicturePlan::Cut& cut) { return y < cut.y; });
    const auto beyond =
        std::upper_bound(after, plan.cuts.end(), limit,
                         [](double y, const PicturePlan::Cut& cut) { return y < cut.y; });
    return beyond == after ? after : beyond - 1;
}

std::vector<Label> HeadingBand(const PicturePlan& plan, const std::string& continuedPart) {
    std::vector<Label> heading{{kHeadingInset, kTitleBaseline, plan.title,
                                PicturePlan::Style::Title, PicturePlan::Anchor::Left}};
    if (!continuedPart.empty()) {
        heading.push_back({kHeadingInset, kPartBaseline, continuedPart + " (continued)",
                           PicturePlan::Style::Heading, PicturePlan::Anchor::Left});
    }
    return heading;
}

} // namespace

std::vector<PicturePages::Page> PicturePages::Of(const PicturePlan& plan) {
    const double pageHeight = PageHeight(plan);
    if (plan.height <= pageHeight) {
        return {{0, plan.height, 0, plan.height, {}}};
    }
    std::vector<Page> pages;
    Page page{0, 0, 0, pageHeight, {}};
    while (page.from < plan.height) {
        const double limit = page.from + pageHeight - page.top;
        const auto end = PageEnd(plan, page.from, limit);
        const bool last = plan.height <= limit || end == plan.cuts.end();
        page.to = last ? plan.height : end->y;
        pages.push_back(page);
        if (last) {
            break;
        }
        page = {page.to, 0, kHeadingBand, pageHeight, HeadingBand(plan, end->continuedPart)};
    }
    return pages;
}
