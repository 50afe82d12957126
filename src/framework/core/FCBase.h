// Root of every framework object: a class number, a class name and a virtual destructor.
#pragma once

#include <cstdint>

class __FCBase {
public:
    virtual std::uint32_t ClassID() const { return 0; }
    // One constant per class; classes are told apart by the constant's identity.
    virtual const char* ClassName() const { return "__FCBase"; }
    virtual ~__FCBase() = default;
    virtual bool IsSameClass(const __FCBase* other) const {
        return other != nullptr && other->ClassName() == ClassName();
    }

    __FCBase() = default;
    __FCBase(const __FCBase&) = default;
    __FCBase& operator=(const __FCBase&) = default;
};
