// One note of a note entry: its position in the entry and its 10-byte item in the host's frame.
#pragma once

#include "framework/core/FCBase.h"

class FCNoteEntry;

class FCNote : public __FCBase {
public:
    FCNote(int position, const unsigned char* item, FCNoteEntry* entry)
        : position_(position), item_(item), entry_(entry) {}

    const char* ClassName() const override { return "FCNote"; }

    // 0-based position in the entry.
    int GetPosition() const { return position_; }
    // The note's bytes in the host-owned frame, valid while the frame is held.
    const unsigned char* GetItem() const { return item_; }
    FCNoteEntry* GetEntry() const { return entry_; }

private:
    int position_;
    const unsigned char* item_;
    FCNoteEntry* entry_;
};
