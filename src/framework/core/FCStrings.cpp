#include "framework/core/FCStrings.h"

void FCStrings::AddCopy(const FCString* text) {
    if (text) {
        Add(new FCString(*text));
    }
}
