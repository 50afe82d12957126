#include "framework/core/FCCollection.h"

#include <algorithm>

__FCCollection::~__FCCollection() {
    ClearAll();
    delete[] elements_;
    elements_ = nullptr;
    capacity_ = 0;
}

int __FCCollection::ForEach(FCIteratorHandler* handler) {
    int visited = 0;
    for (int index = 0; index < count_; ++index) {
        __FCBase* element = elements_[index];
        if (!element) {
            continue;
        }
        if (!handler->Iterate(element)) {
            break;
        }
        ++visited;
    }
    return visited;
}

__FCBase* __FCCollection::FindFirst(FCIteratorHandler* handler) {
    for (int index = 0; index < count_; ++index) {
        __FCBase* element = elements_[index];
        if (element && handler->IsMatch(element)) {
            return element;
        }
    }
    return nullptr;
}

int __FCCollection::ForEachIndex(FCIteratorHandler* handler) {
    int visited = 0;
    for (int index = 0; index < count_; ++index) {
        __FCBase* element = elements_[index];
        if (!element) {
            continue;
        }
        if (!handler->IterateIndex(element, index)) {
            break;
        }
        ++visited;
    }
    return visited;
}

__FCBase* __FCCollection::GetItemAt(int index) const {
    if (index < 0 || index >= count_ || !elements_) {
        return nullptr;
    }
    return elements_[index];
}

void __FCCollection::Add(__FCBase* element) {
    EnsureCapacity(1);
    elements_[count_++] = element;
}

int __FCCollection::GrowthBlock(int count) {
    if (count > 10000) {
        return 1000;
    }
    if (count > 1000) {
        return 100;
    }
    if (count > 100) {
        return 50;
    }
    return 10;
}

void __FCCollection::EnsureCapacity(int extra) {
    const int needed = count_ + extra;
    if (capacity_ >= needed) {
        return;
    }
    const int block = GrowthBlock(count_);
    const int newCapacity = ((count_ + block + extra) / block) * block;
    auto** grown = new __FCBase*[newCapacity]();
    if (elements_) {
        std::copy_n(elements_, count_, grown);
    }
    delete[] elements_;
    elements_ = grown;
    capacity_ = newCapacity;
}

void __FCCollection::ClearAll() {
    for (int index = 0; index < count_; ++index) {
        delete elements_[index];
        elements_[index] = nullptr;
    }
    count_ = 0;
}
