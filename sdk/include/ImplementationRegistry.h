// How a module makes its implementation classes known to the host.
//
// Each implementation has a record: its ID and the functions with which the
// host constructs it in storage the host supplies, destroys it, learns its
// size and, for persistent implementations, reads and writes it. The records
// of a module form one list, built during static initialisation.
#pragma once

#include "IPMStream.h"
#include "IPMUnknown.h"

#include <cstddef>
#include <new>

using ImplCreateFn = IPMUnknown* (*)(void* storage, IPMUnknown* boss);
using ImplDestroyFn = void (*)(IPMUnknown* object);
using ImplSizeFn = size_t (*)();
using ImplReadWriteFn = void (*)(IPMUnknown* object, IPMStream* stream, ImplementationID implID);

// The session's registration interface (0x104).
class IImplementationRegistrar : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IREGISTRAR };
    virtual void RegisterImplementation(int32 hostValue, ImplementationID implID,
                                        ImplCreateFn create, ImplDestroyFn destroy, ImplSizeFn size,
                                        ImplReadWriteFn readWrite, uint32 flags) = 0;
};

struct ImplementationRecord {
    ImplementationID implID;
    ImplCreateFn create;
    ImplDestroyFn destroy;
    ImplSizeFn size;
    ImplReadWriteFn readWrite; // null unless persistent
    uint32 flags;
    ImplementationRecord* next;
};

// Head of this module's record list. Every module defines its own; records
// are pushed at the head, so the list runs in reverse order of initialisation.
extern ImplementationRecord* gImplementationRecords;

struct ImplementationRecordLink {
    explicit ImplementationRecordLink(ImplementationRecord& record) {
        record.next = gImplementationRecords;
        gImplementationRecords = &record;
    }
};

template <class Impl> struct ImplementationFunctions {
    static IPMUnknown* Create(void* storage, IPMUnknown* boss) { return new (storage) Impl(boss); }
    static void Destroy(IPMUnknown* object) { static_cast<Impl*>(object)->~Impl(); }
    static size_t Size() { return sizeof(Impl); }
    static void ReadWrite(IPMUnknown* object, IPMStream* stream, ImplementationID implID) {
        static_cast<Impl*>(object)->ReadWrite(stream, implID);
    }
};

#define OPAL_IMPL_RECORD_NAME2(a, b) a##b
#define OPAL_IMPL_RECORD_NAME(a, b) OPAL_IMPL_RECORD_NAME2(a, b)

// Declares the registration record of `Class` under `implID`.
#define CREATE_PMINTERFACE(Class, implID)                                                          \
    static ImplementationRecord OPAL_IMPL_RECORD_NAME(gRecord, Class){                             \
        implID,                                                                                    \
        &ImplementationFunctions<Class>::Create,                                                   \
        &ImplementationFunctions<Class>::Destroy,                                                  \
        &ImplementationFunctions<Class>::Size,                                                     \
        nullptr,                                                                                   \
        0,                                                                                         \
        nullptr};                                                                                  \
    static ImplementationRecordLink OPAL_IMPL_RECORD_NAME(gRecordLink, Class) {                    \
        OPAL_IMPL_RECORD_NAME(gRecord, Class)                                                      \
    }

// The same for a persistent implementation, which the host reads and writes
// through its ReadWrite(IPMStream*, ImplementationID).
#define CREATE_PERSIST_PMINTERFACE(Class, implID)                                                  \
    static ImplementationRecord OPAL_IMPL_RECORD_NAME(gRecord, Class){                             \
        implID,                                                                                    \
        &ImplementationFunctions<Class>::Create,                                                   \
        &ImplementationFunctions<Class>::Destroy,                                                  \
        &ImplementationFunctions<Class>::Size,                                                     \
        &ImplementationFunctions<Class>::ReadWrite,                                                \
        0,                                                                                         \
        nullptr};                                                                                  \
    static ImplementationRecordLink OPAL_IMPL_RECORD_NAME(gRecordLink, Class) {                    \
        OPAL_IMPL_RECORD_NAME(gRecord, Class)                                                      \
    }
