// Paints a picture plan with cairo: white page, grey panels, measure boxes filled by kind (music
// solid blue, empty measures hatched, multimeasure rests amber with the rest's bar), changed
// widths outlined in red, and the plan's texts.
#pragma once

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

    static void Paint(cairo_t* cairo, const PicturePlan& plan);
};
