// The dialog window's remembered screen position, as the settings file reads and writes it.
#pragma once

struct WindowPlacement {
    // A remembered position exists.
    bool valid = false;
    // Screen pixels of the window's top-left corner.
    float left = 0.0f;
    float top = 0.0f;
    // A remembered size exists; the settings file stores none, so loading a position clears it.
    bool sizeValid = false;
};
