// One undoable host edit around one run of document changes: the edit is opened with a title,
// a handler runs inside it, and the edit is committed with a redraw or cancelled with a beep.
#pragma once

#include "framework/core/FCBase.h"
#include "framework/core/FCString.h"
#include "framework/core/FCUndoBlockHandler.h"

#include <cstdint>

class FCUndoBlock : public __FCBase {
public:
    // True only while a handler executes inside the block.
    bool IsRunning() const { return running_; }

private:
    friend void RunBlock(FCUndoBlock* block, __FCUndoBlockHandler* handler, const FCString* title);

    bool running_ = false;
};

// Opens a host edit whose undo text is the title's first 63 characters; the host's answer
// (nonzero: the edit is open).
std::int16_t StartUndoableEdit(const FCString* title);

// Runs the handler inside the block's edit. The handler runs even when the host refuses the
// edit, and the edit is always ended: committed and redrawn when the handler changed the
// document, else cancelled with the warning beep.
void RunBlock(FCUndoBlock* block, __FCUndoBlockHandler* handler, const FCString* title);

// Asks the host to redraw the current selection after a committed edit.
void RedrawSelection();
