// A dialog written down as a user sees it: its caption and screen position, then each item in
// tab order with its ID and its text (a drop-down list: its items, the selected one marked "*"),
// and whether it is checked, disabled or hidden. The command line shows the plug-in's dialog so.
#pragma once

#include "platform/Platform.h"

#include <string>

class DialogReport {
public:
    static std::string Describe(HWND dialog);
};
