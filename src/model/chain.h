// Chains of elements of one class. Every listable element class derives
// first from Next<itself>, so an element and its link are one object; the
// holder of the head owns the whole chain.
#pragma once

#include <new>

namespace dms {

template <typename T>
class Next {
public:
    T* next = nullptr;

    Next() = default;
    Next(const Next&) = delete;
    Next& operator=(const Next&) = delete;

    // Frees every follower without recursion, the last one first. The
    // followers are put in reverse order in place (no table, so chains of
    // any length are served), then deleted from the old last one back.
    virtual ~Next() {
        T* reversed = nullptr;
        T* p = next;
        next = nullptr;
        while (p != nullptr) {
            T* following = p->next;
            p->next = reversed;
            reversed = p;
            p = following;
        }
        while (reversed != nullptr) {
            T* before = reversed->next;
            reversed->next = nullptr;
            delete reversed;
            reversed = before;
        }
    }
};

// Allocates a default element and links it behind the last one (or makes it
// the head). Null when the allocation fails.
template <typename T>
T* AppendNew(T** head) {
    if (head == nullptr) return nullptr;
    T* item = new (std::nothrow) T();
    if (item == nullptr) return nullptr;
    if (*head == nullptr) {
        *head = item;
    } else {
        T* last = *head;
        while (last->next != nullptr) last = last->next;
        last->next = item;
    }
    return item;
}

// With fromEnd 0 the element `index` places behind the head; with fromEnd 1
// the element `index` places before the last one (0 = the last). Null when
// the chain is too short or index is negative. Works for any chain length.
template <typename T>
T* ItemAt(T* head, int index, int fromEnd) {
    if (index < 0) return nullptr;
    if (fromEnd) {
        int length = 0;
        for (T* p = head; p != nullptr; p = p->next) ++length;
        if (index >= length) return nullptr;
        index = length - 1 - index;
    }
    T* p = head;
    while (p != nullptr && index > 0) {
        p = p->next;
        --index;
    }
    return p;
}

}  // namespace dms
