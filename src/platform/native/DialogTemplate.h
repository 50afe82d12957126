// An extended dialog template (DLGTEMPLATEEX) as read from a module's RT_DIALOG resource: the
// dialog's own style, caption and rectangle, and its items with class, text, style, ID and
// rectangle, all in dialog units.
#pragma once

#include "platform/native/NativeWindows.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct DialogUnitRect {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t cx = 0;
    std::int16_t cy = 0;
};

struct DialogItemTemplate {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    DialogUnitRect rect;
    std::int32_t id = 0;
    // Predefined classes given by ordinal are named as Windows names them ("Button", ...).
    std::u16string className;
    std::u16string text;
};

// Exported so that tests can read templates as the stand-in does.
class NATIVE_API DialogTemplate {
public:
    // False, leaving the template unusable, when the bytes are not a complete DLGTEMPLATEEX.
    bool Parse(std::span<const unsigned char> bytes);

    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    DialogUnitRect rect;
    std::u16string title;
    std::vector<DialogItemTemplate> items;
};
