// A holder that releases the interface it holds on every path.
#pragma once

#include "IPMUnknown.h"

#include <utility>

template <class T> class InterfacePtr {
public:
    InterfacePtr() = default;
    // Takes over a reference the caller already owns (a Query… or Create… result).
    explicit InterfacePtr(T* alreadyReferenced) : fObject(alreadyReferenced) {}
    // Asks `from` for the interface `iid`.
    InterfacePtr(const IPMUnknown* from, PMIID iid)
        : fObject(from ? static_cast<T*>(from->QueryInterface(iid)) : nullptr) {}
    explicit InterfacePtr(const IPMUnknown* from, int defaultIID = T::kDefaultIID)
        : InterfacePtr(from, static_cast<PMIID>(defaultIID)) {}
    template <class U>
    InterfacePtr(const InterfacePtr<U>& from, PMIID iid) : InterfacePtr(from.get(), iid) {}

    InterfacePtr(const InterfacePtr&) = delete;
    InterfacePtr& operator=(const InterfacePtr&) = delete;
    InterfacePtr(InterfacePtr&& other) noexcept : fObject(std::exchange(other.fObject, nullptr)) {}
    InterfacePtr& operator=(InterfacePtr&& other) noexcept {
        if (this != &other)
            reset(std::exchange(other.fObject, nullptr));
        return *this;
    }
    ~InterfacePtr() { reset(); }

    T* get() const { return fObject; }
    T* operator->() const { return fObject; }
    T& operator*() const { return *fObject; }
    explicit operator bool() const { return fObject != nullptr; }
    bool operator==(std::nullptr_t) const { return fObject == nullptr; }
    bool operator!=(std::nullptr_t) const { return fObject != nullptr; }

    // Releases the held interface and takes over `next`.
    void reset(T* next = nullptr) {
        T* old = std::exchange(fObject, next);
        if (old)
            old->Release();
    }
    // Hands the reference to the caller.
    T* forget() { return std::exchange(fObject, nullptr); }

private:
    T* fObject = nullptr;
};
