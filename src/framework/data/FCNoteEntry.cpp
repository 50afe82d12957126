#include "framework/data/FCNoteEntry.h"

#include "framework/data/FCNote.h"
#include "hostinterface/HostLayouts.h"
#include "hostinterface/RecordBytes.h"

#include <algorithm>

FCNoteEntry::FCNoteEntry(const unsigned char* entry, void* frame, std::int16_t frameValue,
                         std::int16_t staff, FCNoteEntry* previous)
    : entry_(entry), frame_(frame), frameValue_(frameValue), staff_(staff), previous_(previous) {
    if (previous_) {
        previous_->next_ = this;
    }
    // A count beyond what the entry holds would reach past it: only the notes inside are read.
    const int notes = std::clamp<int>(
        RecordBytes::Read<std::int16_t>(entry, EntryFrame::kNoteCount), 0, EntryFrame::kMaxNotes);
    for (int position = 0; position < notes; ++position) {
        Add(new FCNote(position, entry + EntryFrame::kNotes + position * EntryFrame::kNoteSize,
                       this));
    }
}
