// The callback side of iteration: collections and part walks call these for each element.
#pragma once

#include "framework/core/FCBase.h"

class FCIteratorHandler : public __FCBase {
public:
    const char* ClassName() const override { return "FCIteratorHandler"; }

    // True to go on with the next element.
    virtual bool Iterate(__FCBase* element) = 0;
    virtual bool ReservedHook1() { return false; }
    virtual bool IterateIndex(__FCBase* /*element*/, int /*index*/) { return true; }
    virtual bool IsMatch(__FCBase* /*element*/) { return false; }
    virtual int ReservedHook2() { return 0; }
    // Asked before a part walk starts; false skips the walk.
    virtual bool IsReadyToIterate() { return true; }
    virtual bool ReservedHook3() { return true; }
    // Called once when a part walk ends, however it ended.
    virtual void IterationEnded() {}
    virtual void ReservedHook4() {}
};
