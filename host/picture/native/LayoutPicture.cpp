#include "host/picture/LayoutPicture.h"

#include "host/files/AtomicFile.h"
#include "host/files/FileName.h"
#include "host/files/ScoreError.h"
#include "host/picture/PicturePages.h"
#include "host/picture/PicturePlan.h"
#include "host/picture/native/PicturePainter.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

enum class Format { Svg, Png, Pdf, None };

// The largest side cairo's image surfaces take, and the most pixels drawn in memory at once
// (four bytes each).
constexpr double kPngSideLimit = 32767;
constexpr double kPngPixelLimit = 1 << 28;
// Cairo keeps coordinates as fixed-point numbers with 24 bits before the point; the SVG's
// sides stay well inside, and so does the number of boxes its drawing holds in memory. A PDF is
// drawn page by page and has no such limit.
constexpr double kSvgSideLimit = 1 << 21;
constexpr std::size_t kSvgBoxLimit = 1 << 21;

Format FormatOf(const std::string& path) {
    const std::string extension = FileName::LowerExtension(path);
    return extension == ".svg"   ? Format::Svg
           : extension == ".png" ? Format::Png
           : extension == ".pdf" ? Format::Pdf
                                 : Format::None;
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* cairo) const { cairo_destroy(cairo); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

// Paints the plan onto the surface; the first cairo failure, or success.
cairo_status_t PaintOn(cairo_surface_t* surface, const PicturePlan& plan) {
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        return cairo_surface_status(surface);
    }
    const Context cairo(cairo_create(surface));
    PicturePainter::Paint(cairo.get(), plan);
    return cairo_status(cairo.get());
}

// Cairo hands the encoded picture over in pieces; they are kept until the whole is written.
cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

cairo_status_t EncodeSvg(const PicturePlan& plan, std::string& bytes) {
    const Surface surface(
        cairo_svg_surface_create_for_stream(Collect, &bytes, plan.width, plan.height));
    const cairo_status_t painted = PaintOn(surface.get(), plan);
    cairo_surface_finish(surface.get());
    return painted != CAIRO_STATUS_SUCCESS ? painted : cairo_surface_status(surface.get());
}

cairo_status_t EncodePng(const PicturePlan& plan, std::string& bytes) {
    const Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24,
                                                     static_cast<int>(std::ceil(plan.width)),
                                                     static_cast<int>(std::ceil(plan.height))));
    const cairo_status_t painted = PaintOn(surface.get(), plan);
    return painted != CAIRO_STATUS_SUCCESS
               ? painted
               : cairo_surface_write_to_png_stream(surface.get(), Collect, &bytes);
}

// Each page is drawn and handed to the stream before the next, so memory holds one page at most.
cairo_status_t EncodePdf(const PicturePlan& plan, std::string& bytes) {
    const std::vector<PicturePages::Page> pages = PicturePages::Of(plan);
    const Surface surface(
        cairo_pdf_surface_create_for_stream(Collect, &bytes, plan.width, pages.front().height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return cairo_surface_status(surface.get());
    }
    const Context cairo(cairo_create(surface.get()));
    for (const PicturePages::Page& page : pages) {
        cairo_pdf_surface_set_size(surface.get(), plan.width, page.height);
        PicturePainter::PaintPage(cairo.get(), plan, page);
        cairo_show_page(cairo.get());
    }
    const cairo_status_t painted = cairo_status(cairo.get());
    cairo_surface_finish(surface.get());
    return painted != CAIRO_STATUS_SUCCESS ? painted : cairo_surface_status(surface.get());
}

cairo_status_t Encode(Format format, const PicturePlan& plan, std::string& bytes) {
    switch (format) {
    case Format::Svg:
        return EncodeSvg(plan, bytes);
    case Format::Png:
        return EncodePng(plan, bytes);
    case Format::Pdf:
        return EncodePdf(plan, bytes);
    case Format::None:
        break;
    }
    return CAIRO_STATUS_INVALID_FORMAT;
}

std::string Pixels(double side) {
    return std::to_string(static_cast<long long>(std::ceil(side)));
}

// False with the reason when the plan is too large for the path's format; a PDF never is.
bool CheckSize(const std::string& path, const PicturePlan& plan, std::string& error) {
    const Format format = FormatOf(path);
    const double side = std::max(plan.width, plan.height);
    const bool tooLarge =
        format == Format::Png
            ? side > kPngSideLimit || plan.width * plan.height > kPngPixelLimit
            : format == Format::Svg && (side > kSvgSideLimit || plan.boxes.size() > kSvgBoxLimit);
    if (tooLarge) {
        error = path + ": the picture is " + Pixels(plan.width) + " by " + Pixels(plan.height) +
                " pixels with " + std::to_string(plan.boxes.size()) + " measures, too large for " +
                (format == Format::Png ? "PNG" : "SVG") + "; write it as .pdf";
        return false;
    }
    return true;
}

} // namespace

bool LayoutPicture::Available() {
    return true;
}

bool LayoutPicture::CheckPath(const std::string& path, std::string& error) {
    if (FormatOf(path) == Format::None) {
        error = path + ": a picture is written as .svg, .png or .pdf";
        return false;
    }
    return true;
}

bool LayoutPicture::Check(const std::string& path, const LayoutSnapshot& before,
                          const LayoutSnapshot& after, const std::string& title,
                          std::string& error) {
    return CheckPath(path, error) &&
           CheckSize(path, PicturePlan::Make(before, after, title), error);
}

bool LayoutPicture::Draw(const std::string& path, const LayoutSnapshot& before,
                         const LayoutSnapshot& after, const std::string& title, std::string& bytes,
                         std::string& error) {
    const PicturePlan plan = PicturePlan::Make(before, after, title);
    if (!CheckPath(path, error) || !CheckSize(path, plan, error)) {
        return false;
    }
    const cairo_status_t status = Encode(FormatOf(path), plan, bytes);
    if (status != CAIRO_STATUS_SUCCESS) {
        error = path + ": cannot be drawn (" + cairo_status_to_string(status) + ")";
        return false;
    }
    return true;
}

bool LayoutPicture::Write(const std::string& path, const LayoutSnapshot& before,
                          const LayoutSnapshot& after, const std::string& title,
                          std::string& error) {
    std::string bytes;
    if (!Draw(path, before, after, title, bytes, error)) {
        return false;
    }
    try {
        AtomicFile::Write(path, bytes);
    } catch (const ScoreError& problem) {
        error = problem.what();
        return false;
    }
    return true;
}
