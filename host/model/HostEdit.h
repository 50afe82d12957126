// The host's undoable edit: opening one keeps a copy of the document, committing keeps the
// changes, cancelling puts the copy back so the document is exactly as it was.
#pragma once

#include "host/model/HostDocument.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class HostEdit {
public:
    // Opens an edit with its undo text; 1 when opened, 0 when the host refuses or one is open.
    std::int16_t Start(const HostDocument& document, std::u16string title);
    // Keeps the changes of the open edit; 0 when none is open.
    std::int16_t End();
    // Puts the document back as it was when the edit opened; 0 when none is open.
    std::int16_t Cancel(HostDocument& document);

    // Makes the host refuse (or again accept) to open edits.
    void SetRefusing(bool refusing) { refusing_ = refusing; }
    bool IsOpen() const { return snapshot_.has_value(); }

    // The undo text of every start request, opened or not.
    const std::vector<std::u16string>& RequestedTitles() const { return requested_; }
    // The undo texts of the edits kept, in order.
    const std::vector<std::u16string>& CommittedTitles() const { return committed_; }
    int CancelledCount() const { return cancelled_; }

private:
    std::optional<HostDocument> snapshot_;
    std::u16string openTitle_;
    bool refusing_ = false;
    std::vector<std::u16string> requested_;
    std::vector<std::u16string> committed_;
    int cancelled_ = 0;
};
