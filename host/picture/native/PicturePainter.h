// Paints a picture plan with cairo: white page, grey panels, measure boxes filled by kind (music
// solid blue, empty measures hatched, multimeasure rests amber with the rest's bar), changed
// widths outlined in red, and the plan's texts; the whole plan at once or page by page.
#pragma once

#include "host/picture/PicturePages.h"
#include "host/picture/PicturePlan.h"

#include <cairo.h>

class PicturePainter {
public:
    struct Colour {
        double red;
        double green;
        double blue;
    };

    // The fill that tells a kind of box apart.
    static Colour FillOf(PicturePlan::Kind kind);
    static Colour ChangedOutline();

    // The whole plan on one surface of its size.
    static void Paint(cairo_t* cairo, const PicturePlan& plan);
    // One page: its heading band, then what of the plan lies between its cuts.
    static void PaintPage(cairo_t* cairo, const PicturePlan& plan, const PicturePages::Page& page);
};
