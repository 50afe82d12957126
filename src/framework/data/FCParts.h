// The score and the linked parts of the current document, the score first, and a walk that
// makes each part current while a handler looks at it.
#pragma once

#include "framework/core/FCCollection.h"
#include "framework/core/FCIteratorHandler.h"

class FCParts : public __FCCollection {
public:
    const char* ClassName() const override { return "FCParts"; }

    // Replaces the contents with the score and every part the host lists; a part whose record
    // cannot be loaded ends the list. The number of parts.
    [[nodiscard]] int LoadAll();
    // Runs the handler on each part with that part current, the previous current part put back
    // after each; stops when the handler returns false. IterationEnded is called once at the
    // end. The number of parts for which the handler returned true.
    int ForEachPart(FCIteratorHandler* handler);
};
