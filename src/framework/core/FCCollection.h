// An owning, growable array of framework objects with index access and handler-driven walks.
#pragma once

#include "framework/core/FCBase.h"
#include "framework/core/FCIteratorHandler.h"

#include <cstdint>

class __FCIteratorBase : public __FCBase {
public:
    virtual int ForEach(FCIteratorHandler* handler) = 0;
    virtual __FCBase* FindFirst(FCIteratorHandler* handler) = 0;
    virtual int ForEachIndex(FCIteratorHandler* handler) = 0;
};

class __FCCollection : public __FCIteratorBase {
public:
    __FCCollection() = default;
    __FCCollection(const __FCCollection&) = delete;
    __FCCollection& operator=(const __FCCollection&) = delete;
    ~__FCCollection() override;

    const char* ClassName() const override { return "__FCCollection"; }

    // Walks re-read the count before every step, so elements added by the handler are visited;
    // null slots are skipped and not counted.
    int ForEach(FCIteratorHandler* handler) override;
    __FCBase* FindFirst(FCIteratorHandler* handler) override;
    int ForEachIndex(FCIteratorHandler* handler) override;

    int GetCount() const { return count_; }
    int GetCapacity() const { return capacity_; }
    __FCBase* GetItemAt(int index) const;
    // Takes ownership; a null element is stored like any other.
    void Add(__FCBase* element);
    void EnsureCapacity(int extra);
    // Deletes every element; the array and its capacity stay.
    void ClearAll();

private:
    static int GrowthBlock(int count);

    std::int32_t count_ = 0;
    std::int32_t capacity_ = 0;
    __FCBase** elements_ = nullptr;
};
