// An ordered list that owns its strings: lines of a text file, items of a list control.
#pragma once

#include "framework/core/FCCollection.h"
#include "framework/core/FCString.h"

class FCStrings : public __FCCollection {
public:
    const char* ClassName() const override { return "FCStrings"; }

    // Appends a copy of the text; a null string adds nothing.
    void AddCopy(const FCString* text);
    FCString* GetItemAt(int index) const {
        return static_cast<FCString*>(__FCCollection::GetItemAt(index));
    }
};
