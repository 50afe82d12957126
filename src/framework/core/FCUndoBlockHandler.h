// A piece of work that runs inside one undoable host edit; it reports whether it changed the
// document, which decides between committing and cancelling the edit.
#pragma once

#include "framework/core/FCBase.h"

class FCUndoBlock;

class __FCUndoBlockHandler : public __FCBase {
public:
    // True when the document was changed and the edit is to be kept.
    virtual bool Execute() = 0;

    // The block running this handler, or null while it runs without an open host edit.
    FCUndoBlock* GetUndoBlock() const { return undoBlock_; }
    void SetUndoBlock(FCUndoBlock* block) { undoBlock_ = block; }

private:
    FCUndoBlock* undoBlock_ = nullptr;
};
