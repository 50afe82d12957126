#include "host/picture/native/PicturePainter.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace {

using Colour = PicturePainter::Colour;
using Kind = PicturePlan::Kind;
using Style = PicturePlan::Style;

constexpr Colour kPage{1, 1, 1};
constexpr Colour kPanel{0.965, 0.965, 0.965};
constexpr Colour kPanelEdge{0.75, 0.75, 0.75};
constexpr Colour kMusic{0.29, 0.48, 0.71};
constexpr Colour kEmpty{0.98, 0.98, 0.98};
constexpr Colour kRest{0.95, 0.76, 0.31};
constexpr Colour kHatch{0.55, 0.55, 0.55};
constexpr Colour kEdge{0.2, 0.2, 0.2};
constexpr Colour kChanged{0.84, 0.15, 0.16};
constexpr Colour kText{0.13, 0.13, 0.13};
constexpr Colour kFaintText{0.45, 0.45, 0.45};
constexpr Colour kSystemWidth{0.6, 0.6, 0.6};

constexpr double kHatchStep = 5;
constexpr double kChangedLine = 2.5;

void SetColour(cairo_t* cairo, const Colour& colour) {
    cairo_set_source_rgb(cairo, colour.red, colour.green, colour.blue);
}

void FillRect(cairo_t* cairo, double x, double y, double width, double height,
              const Colour& colour) {
    cairo_rectangle(cairo, x, y, width, height);
    SetColour(cairo, colour);
    cairo_fill(cairo);
}

// Diagonal lines across the box, clipped to it.
void Hatch(cairo_t* cairo, const PicturePlan::Box& box) {
    cairo_save(cairo);
    cairo_rectangle(cairo, box.x, box.y, box.width, box.height);
    cairo_clip(cairo);
    for (double offset = -box.height; offset < box.width; offset += kHatchStep) {
        cairo_move_to(cairo, box.x + offset, box.y + box.height);
        cairo_line_to(cairo, box.x + offset + box.height, box.y);
    }
    cairo_set_line_width(cairo, 1);
    SetColour(cairo, kHatch);
    cairo_stroke(cairo);
    cairo_restore(cairo);
}

// The thick bar with end strokes that a multimeasure rest shows on the staff.
void RestBar(cairo_t* cairo, const PicturePlan::Box& box) {
    const double inset = std::min(4.0, box.width / 4);
    const double middle = box.y + box.height / 2;
    FillRect(cairo, box.x + inset, middle - 2.5, box.width - 2 * inset, 5, kEdge);
    FillRect(cairo, box.x + inset, box.y + 3, 1.5, box.height - 6, kEdge);
    FillRect(cairo, box.x + box.width - inset - 1.5, box.y + 3, 1.5, box.height - 6, kEdge);
}

void PaintBox(cairo_t* cairo, const PicturePlan::Box& box) {
    FillRect(cairo, box.x, box.y, box.width, box.height, PicturePainter::FillOf(box.kind));
    if (box.kind == Kind::Empty) {
        Hatch(cairo, box);
    } else if (box.kind == Kind::Rest) {
        RestBar(cairo, box);
    }
    cairo_rectangle(cairo, box.x + 0.5, box.y + 0.5, std::max(box.width - 1, 0.0), box.height - 1);
    cairo_set_line_width(cairo, 1);
    SetColour(cairo, kEdge);
    cairo_stroke(cairo);
}

// A red frame just outside the box, drawn after all boxes so that no neighbour covers it.
void MarkChanged(cairo_t* cairo, const PicturePlan::Box& box) {
    const double half = kChangedLine / 2;
    cairo_rectangle(cairo, box.x - half, box.y - half, box.width + kChangedLine,
                    box.height + kChangedLine);
    cairo_set_line_width(cairo, kChangedLine);
    SetColour(cairo, kChanged);
    cairo_stroke(cairo);
}

// Whether a shape from top to bottom shows on the page.
bool OnPage(double top, double bottom, const PicturePages::Page& page) {
    return top < page.to && bottom > page.from;
}

// The boxes or texts, sorted top down, whose top or baseline lies on the page: cuts lie between
// rows, so each of them lies wholly on that one page.
template <typename Item>
std::span<const Item> TopsOnPage(const std::vector<Item>& items, const PicturePages::Page& page) {
    const auto above = [](const Item& item, double y) { return item.y < y; };
    const auto first = std::lower_bound(items.begin(), items.end(), page.from, above);
    const auto end = std::lower_bound(first, items.end(), page.to, above);
    return {first, end};
}

void PaintBoxes(cairo_t* cairo, std::span<const PicturePlan::Box> boxes) {
    for (const PicturePlan::Box& box : boxes) {
        PaintBox(cairo, box);
    }
    for (const PicturePlan::Box& box : boxes) {
        if (box.changed) {
            MarkChanged(cairo, box);
        }
    }
}

// How each style of text looks, in the order of the styles.
struct Look {
    double size;
    bool bold;
    Colour colour;
};
constexpr Look kLooks[] = {{18, true, kText},
                           {14, true, kText},
                           {11, false, kText},
                           {8, false, kFaintText},
                           {11, true, kText}};
constexpr Style kStyles[] = {Style::Title, Style::Heading, Style::Caption, Style::MeasureNumber,
                             Style::RestCount};

void UseLook(cairo_t* cairo, Style style) {
    const Look& look = kLooks[static_cast<int>(style)];
    cairo_select_font_face(cairo, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           look.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cairo, look.size);
    SetColour(cairo, look.colour);
}

void ShowLabel(cairo_t* cairo, const PicturePlan::Label& label) {
    double x = label.x;
    if (label.anchor == PicturePlan::Anchor::Centre) {
        cairo_text_extents_t extents;
        cairo_text_extents(cairo, label.text.c_str(), &extents);
        x -= extents.x_advance / 2;
    }
    cairo_move_to(cairo, x, label.y);
    cairo_show_text(cairo, label.text.c_str());
}

// Paints the labels style by style, so that each style's font is chosen once.
void PaintLabels(cairo_t* cairo, std::span<const PicturePlan::Label> labels) {
    for (const Style style : kStyles) {
        UseLook(cairo, style);
        for (const PicturePlan::Label& label : labels) {
            if (label.style == style) {
                ShowLabel(cairo, label);
            }
        }
    }
}

void PaintSystemWidth(cairo_t* cairo, const PicturePlan::VerticalLine& line) {
    const double dashes[] = {3, 3};
    cairo_save(cairo);
    cairo_set_dash(cairo, dashes, 2, 0);
    cairo_set_line_width(cairo, 1);
    SetColour(cairo, kSystemWidth);
    cairo_move_to(cairo, std::round(line.x) + 0.5, line.top);
    cairo_line_to(cairo, std::round(line.x) + 0.5, line.bottom);
    cairo_stroke(cairo);
    cairo_restore(cairo);
}

void PaintPanel(cairo_t* cairo, const PicturePlan::Rect& panel) {
    FillRect(cairo, panel.x, panel.y, panel.width, panel.height, kPanel);
    cairo_rectangle(cairo, panel.x + 0.5, panel.y + 0.5, panel.width - 1, panel.height - 1);
    cairo_set_line_width(cairo, 1);
    SetColour(cairo, kPanelEdge);
    cairo_stroke(cairo);
}

} // namespace

PicturePainter::Colour PicturePainter::FillOf(PicturePlan::Kind kind) {
    switch (kind) {
    case Kind::Music:
        return kMusic;
    case Kind::Empty:
        return kEmpty;
    case Kind::Rest:
        return kRest;
    }
    return kPage;
}

PicturePainter::Colour PicturePainter::ChangedOutline() {
    return kChanged;
}

void PicturePainter::Paint(cairo_t* cairo, const PicturePlan& plan) {
    PaintPage(cairo, plan, {0, plan.height, 0, plan.height, {}});
}

void PicturePainter::PaintPage(cairo_t* cairo, const PicturePlan& plan,
                               const PicturePages::Page& page) {
    FillRect(cairo, 0, 0, plan.width, page.height, kPage);
    PaintLabels(cairo, page.heading);
    cairo_save(cairo);
    cairo_translate(cairo, 0, page.top - page.from);
    cairo_rectangle(cairo, 0, page.from, plan.width, page.to - page.from);
    cairo_clip(cairo);
    for (const PicturePlan::Rect& panel : plan.panels) {
        if (OnPage(panel.y, panel.y + panel.height, page)) {
            PaintPanel(cairo, panel);
        }
    }
    for (const PicturePlan::VerticalLine& line : plan.systemWidthMarks) {
        if (OnPage(line.top, line.bottom, page)) {
            PaintSystemWidth(cairo, line);
        }
    }
    if (page.from == 0) {
        PaintBoxes(cairo, plan.legend);
    }
    PaintBoxes(cairo, TopsOnPage(plan.boxes, page));
    PaintLabels(cairo, TopsOnPage(plan.labels, page));
    cairo_restore(cairo);
}
