// The host's object model: implementation records, boss classes, live bosses
// with their reference counts, and the single counter through which every
// acquisition of an object or interface passes (for fault injection).
#pragma once

#include "IPMUnknown.h"
#include "ImplementationRegistry.h"
#include "UIDRef.h"

#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace host {

using InterfacePairs = std::vector<std::pair<PMIID, ImplementationID>>;

struct ImplRecord {
    ImplementationID id;
    ImplCreateFn create;
    ImplDestroyFn destroy;
    ImplSizeFn size;
    ImplReadWriteFn readWrite;
    uint32 flags;
    std::string origin; // "host" or the module file that registered it
};

struct BossClass {
    ClassID id;
    ClassID parent;
    InterfacePairs pairs;
    std::string origin;
    bool addIns = false; // true for a host class that a module added pairs to
};

// Counts acquisitions; a test can make the k-th one fail.
class Faults {
public:
    // True when this acquisition may succeed.
    bool Acquire() {
        ++fCount;
        return fCount != fFailAt;
    }
    void FailAt(int64 k) {
        fCount = 0;
        fFailAt = k;
    }
    void Reset() { FailAt(-1); }
    int64 Count() const { return fCount; }
    // Whether the armed failure has happened.
    bool Fired() const { return fFailAt > 0 && fCount >= fFailAt; }

private:
    int64 fCount = 0;
    int64 fFailAt = -1;
};

class Boss;

struct LiveObject {
    const Boss* boss;
    ClassID classID;
    UID uid;
    int32 refCount;
};

class OPAL_SDK_API ObjectModel {
public:
    ObjectModel();
    ~ObjectModel();

    // Returns false (and keeps the first) when the ID is already registered.
    bool RegisterImpl(const ImplRecord& record);
    const ImplRecord* FindImpl(ImplementationID id) const;
    std::vector<ImplementationID> RegisteredImpls(const std::string& origin) const;

    void DefineClass(ClassID id, ClassID parent, const InterfacePairs& pairs,
                     const std::string& origin);
    void AddIns(ClassID id, const InterfacePairs& pairs, const std::string& origin);
    bool HasClass(ClassID id) const;
    const BossClass* FindClass(ClassID id) const;
    // Parent pairs first; a class's own pair replaces an inherited one.
    InterfacePairs ResolvedPairs(ClassID id) const;
    // Implementation IDs that some class names but nobody registered.
    std::vector<ImplementationID> MissingImplementations() const;
    // Forgets everything a module registered or added.
    void RemoveOrigin(const std::string& origin);

    // A new boss with one reference owned by the caller; nullptr for an unknown class.
    Boss* CreateBoss(ClassID id);

    Faults& GetFaults() { return fFaults; }
    const Boss* BossOf(const IPMUnknown* object) const;
    Boss* BossOf(const IPMUnknown* object);
    std::vector<LiveObject> LiveObjects() const;

    // Called by Boss.
    void Track(Boss* boss, const IPMUnknown* part);
    void Untrack(Boss* boss, const IPMUnknown* part);
    void Forget(Boss* boss);

private:
    std::map<ImplementationID, ImplRecord> fImpls;
    std::map<ClassID, BossClass> fClasses;
    std::map<ClassID, std::vector<std::pair<InterfacePairs, std::string>>> fAddIns;
    std::set<Boss*> fLive;
    std::unordered_map<const IPMUnknown*, Boss*> fOwner;
    Faults fFaults;
};

// One object: the implementations of its class's pairs, built in host storage.
class OPAL_SDK_API Boss final : public IPMUnknown {
public:
    Boss(ObjectModel& model, ClassID id, const InterfacePairs& pairs);
    ~Boss() override;
    Boss(const Boss&) = delete;
    Boss& operator=(const Boss&) = delete;

    // The plug-in's way in: passes the fault counter.
    IPMUnknown* QueryInterface(PMIID iid) const override;
    void AddRef() const override { ++fRefCount; }
    void Release() const override;

    // The host's own way in: no fault injection.
    IPMUnknown* QueryInternal(PMIID iid) const;
    // Without adding a reference; valid while the boss lives.
    IPMUnknown* Peek(PMIID iid) const;
    template <class T> T* PeekAs(PMIID iid) const { return static_cast<T*>(Peek(iid)); }

    ClassID Class() const { return fClass; }
    int32 RefCount() const { return fRefCount; }
    void SetPlace(IDataBase* db, UID uid) {
        fDataBase = db;
        fUID = uid;
    }
    IDataBase* DataBase() const { return fDataBase; }
    UID GetUID() const { return fUID; }

    struct Part {
        PMIID iid;
        ImplementationID impl;
        const ImplRecord* record;
        IPMUnknown* object;
        void* storage;
    };
    const std::vector<Part>& Parts() const { return fParts; }

private:
    ObjectModel& fModel;
    ClassID fClass;
    mutable int32 fRefCount = 1;
    IDataBase* fDataBase = nullptr;
    UID fUID = kInvalidUID;
    std::vector<Part> fParts;
};

// A database of objects under UIDs. It owns one reference to each object.
class OPAL_SDK_API Database final : public IDataBase {
public:
    explicit Database(ObjectModel& model) : fModel(model) {}
    ~Database() override;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    IPMUnknown* Instantiate(UID uid, PMIID interfaceID) const override;
    bool16 IsValidUID(UID uid) const override;

    // Takes over the caller's reference; returns the new UID.
    UID Add(Boss* boss);
    void Remove(UID uid);
    Boss* Find(UID uid) const;
    void Clear();

private:
    ObjectModel& fModel;
    std::map<UID, Boss*> fObjects;
    UID fNext = 1;
};

// A layer's own implementation `impl` of `iid` on `boss`, or nullptr when the
// boss carries another one (a plug-in's) or none; no acquisition is counted.
template <class T> T* OwnPart(const Boss* boss, PMIID iid, ImplementationID impl) {
    if (!boss)
        return nullptr;
    for (const Boss::Part& part : boss->Parts())
        if (part.iid == iid)
            return part.impl == impl ? static_cast<T*>(part.object) : nullptr;
    return nullptr;
}

} // namespace host
