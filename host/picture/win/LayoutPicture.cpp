// The Windows build of the stand-in host draws no pictures: the native build does.
#include "host/picture/LayoutPicture.h"

namespace {

const char kNotAvailable[] =
    "pictures are not available in this build; the native finale draws them";

} // namespace

bool LayoutPicture::Available() {
    return false;
}

bool LayoutPicture::CheckPath(const std::string&, std::string& error) {
    error = kNotAvailable;
    return false;
}

bool LayoutPicture::Check(const std::string&, const LayoutSnapshot&, const LayoutSnapshot&,
                          const std::string&, std::string& error) {
    error = kNotAvailable;
    return false;
}

bool LayoutPicture::Draw(const std::string&, const LayoutSnapshot&, const LayoutSnapshot&,
                         const std::string&, std::string&, std::string& error) {
    error = kNotAvailable;
    return false;
}

bool LayoutPicture::Write(const std::string&, const LayoutSnapshot&, const LayoutSnapshot&,
                          const std::string&, std::string& error) {
    error = kNotAvailable;
    return false;
}
