// One spacing pass, run inside the undo block: the chosen scope's parts are spaced and the
// result tells whether anything was written.
#pragma once

#include "framework/core/FCUndoBlockHandler.h"

class FCUI;

class FCCalvexBlockHandler : public __FCUndoBlockHandler {
public:
    explicit FCCalvexBlockHandler(FCUI* ui = nullptr) : ui_(ui) {}

    bool Execute() override;

    bool GetResult() const { return result_; }
    FCUI* GetUI() const { return ui_; }

private:
    FCUI* ui_;
    bool result_ = false;
};
