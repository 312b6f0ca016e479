// Persistent objects live in databases under UIDs.
#pragma once

#include "IPMUnknown.h"

#include <cstddef>
#include <vector>

class IDataBase {
public:
    virtual ~IDataBase() = default;
    // The object with that UID, asked for `interfaceID`, with a reference the
    // caller releases; nullptr when there is none.
    virtual IPMUnknown* Instantiate(UID uid, PMIID interfaceID) const = 0;
    virtual bool16 IsValidUID(UID uid) const = 0;
};

class UIDRef {
public:
    UIDRef() = default;
    UIDRef(IDataBase* db, UID uid) : fDataBase(db), fUID(uid) {}
    IDataBase* GetDataBase() const { return fDataBase; }
    UID GetUID() const { return fUID; }
    bool operator==(const UIDRef& other) const {
        return fDataBase == other.fDataBase && fUID == other.fUID;
    }
    bool operator!=(const UIDRef& other) const { return !(*this == other); }

private:
    IDataBase* fDataBase = nullptr;
    UID fUID = kInvalidUID;
};

class UIDList {
public:
    explicit UIDList(IDataBase* db = nullptr) : fDataBase(db) {}
    void Append(UID uid) {
        if (fLength < kInline)
            fInline[fLength] = uid;
        else
            fMore.push_back(uid);
        ++fLength;
    }
    int32 Length() const { return fLength; }
    UID At(int32 index) const {
        return index < kInline ? fInline[index] : fMore[static_cast<size_t>(index - kInline)];
    }
    UID operator[](int32 index) const { return At(index); }
    UIDRef GetRef(int32 index) const { return UIDRef(fDataBase, At(index)); }
    IDataBase* GetDataBase() const { return fDataBase; }

private:
    // Most lists are short: the first UIDs are kept in place, without an
    // allocation, and only the rest on the heap.
    static constexpr int32 kInline = 8;
    IDataBase* fDataBase;
    int32 fLength = 0;
    UID fInline[kInline] = {};
    std::vector<UID> fMore;
};

OPAL_SDK_API IDataBase* GetDataBase(const IPMUnknown* object);
OPAL_SDK_API UID GetUID(const IPMUnknown* object);
OPAL_SDK_API UIDRef GetUIDRef(const IPMUnknown* object);
