// One note entry of a cell, read from the host-owned frame that holds it; its elements are the
// entry's notes. Entries of a cell are linked in load order, across layers.
#pragma once

#include "framework/core/FCCollection.h"

#include <cstdint>

class FCNoteEntry : public __FCCollection {
public:
    // Reads the entry at its 146 bytes of the frame and creates one FCNote per note.
    FCNoteEntry(const unsigned char* entry, void* frame, std::int16_t frameValue,
                std::int16_t staff, FCNoteEntry* previous);

    const char* ClassName() const override { return "FCNoteEntry"; }

    const unsigned char* GetEntryData() const { return entry_; }
    void* GetFrame() const { return frame_; }
    // The frame's value at byte 6, the same for every entry of the frame.
    std::int16_t GetFrameValue() const { return frameValue_; }
    std::int16_t GetStaff() const { return staff_; }
    FCNoteEntry* GetPrevious() const { return previous_; }
    FCNoteEntry* GetNext() const { return next_; }

private:
    const unsigned char* entry_;
    void* frame_;
    std::int16_t frameValue_;
    std::int16_t staff_;
    FCNoteEntry* previous_;
    FCNoteEntry* next_ = nullptr;
};
