// The host's object model: implementation records, boss classes, live bosses
// with their reference counts, and the single counter through which every
// acquisition of an object or interface passes (for fault injection).
#pragma once

#include "FlatMap.h"
#include "IPMUnknown.h"
#include "ImplementationRegistry.h"
#include "UIDRef.h"

#include <map>
#include <memory>
#include <string>
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
class Host;

// How an object of one class is built, worked out once per class: its parts
// in order, each with its record and its place in the object's one block.
struct BossLayout {
    struct Slot {
        PMIID iid;
        ImplementationID impl;
        const ImplRecord* record;
        size_t offset;
    };
    std::vector<Slot> slots;
    size_t size = 0; // of the whole block: the boss, its part list, the parts
};

struct LiveObject {
    const Boss* boss;
    ClassID classID;
    UID uid;
    int32 refCount;
};

class OPAL_SDK_API ObjectModel {
public:
    // The model of `host` (a model on its own, for tests of the model, has none).
    explicit ObjectModel(Host* host = nullptr);
    ~ObjectModel();
    ObjectModel(const ObjectModel&) = delete;
    ObjectModel& operator=(const ObjectModel&) = delete;

    // The host whose model this is: every object knows its host through it.
    Host& GetHost() const { return *fHost; }

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
    // The same with the given pairs instead of the class's.
    Boss* CreateBoss(ClassID id, const InterfacePairs& pairs);

    Faults& GetFaults() { return fFaults; }
    const Boss* BossOf(const IPMUnknown* object) const { return fOwner.Find(object); }
    Boss* BossOf(const IPMUnknown* object) { return fOwner.Find(object); }
    std::vector<LiveObject> LiveObjects() const;

    // Called by Boss when its last reference goes.
    void Destroy(Boss* boss);

private:
    BossLayout LayoutOf(const InterfacePairs& pairs) const;
    Boss* Build(ClassID id, const BossLayout& layout);
    // Blocks of bosses that went, kept for the next ones of about the same
    // size (commands come and go by the hundred on every tick); none kept
    // under AddressSanitizer, which then sees each block's own life.
    void* TakeBlock(size_t size, uint32* sizeClass);
    void GiveBackBlock(void* block, uint32 sizeClass);
    struct FreeBlock {
        FreeBlock* next;
    };
    static constexpr size_t kBlockGrain = 64;
    static constexpr uint32 kBlockClasses = 32; // blocks up to 2 KiB
    static constexpr size_t kPooledBytesLimit = size_t{1} << 20;
    FreeBlock* fFreeBlocks[kBlockClasses] = {};
    size_t fPooledBytes = 0;

    // Layouts depend on the classes and on the registered implementations.
    void ForgetLayouts();

    Host* fHost;

    std::map<ImplementationID, ImplRecord> fImpls;
    std::map<ClassID, BossClass> fClasses;
    std::map<ClassID, std::vector<std::pair<InterfacePairs, std::string>>> fAddIns;
    // One layout per class, as objects are made. A forgotten layout waits in
    // fRetired while objects are being built, as a part's constructor may
    // change the classes under the build that reads it.
    FlatMap<ClassID, const BossLayout*> fLayoutOf;
    std::vector<std::unique_ptr<BossLayout>> fLayouts;
    std::vector<std::unique_ptr<BossLayout>> fRetired;
    int fBuilding = 0;
    // Live bosses in order of creation, linked through the bosses themselves.
    Boss* fFirstLive = nullptr;
    Boss* fLastLive = nullptr;
    // The boss of each live boss and part, by the interface pointer handed out.
    FlatMap<const IPMUnknown*, Boss*> fOwner;
    Faults fFaults;
};

// One object: the implementations of its class's pairs, built in host storage
// (one block holds the boss, its part list and the parts); made by
// ObjectModel::CreateBoss.
class OPAL_SDK_API Boss final : public IPMUnknown {
public:
    Boss(const Boss&) = delete;
    Boss& operator=(const Boss&) = delete;

    // The plug-in's way in: passes the fault counter.
    IPMUnknown* QueryInterface(PMIID iid) const override;
    void AddRef() const override { ++fRefCount; }
    void Release() const override;

    // The host's own way in: no fault injection.
    IPMUnknown* QueryInternal(PMIID iid) const {
        IPMUnknown* object = Peek(iid);
        if (object)
            AddRef();
        return object;
    }
    // Without adding a reference; valid while the boss lives.
    IPMUnknown* Peek(PMIID iid) const {
        if (iid == IID_IUNKNOWN)
            return const_cast<Boss*>(this);
        for (size_t i = 0; i < fPartCount; ++i)
            if (fParts[i].iid == iid)
                return fParts[i].object;
        return nullptr;
    }
    template <class T> T* PeekAs(PMIID iid) const { return static_cast<T*>(Peek(iid)); }

    ClassID Class() const { return fClass; }
    ObjectModel& Model() const { return fModel; }
    Host& GetHost() const { return fModel.GetHost(); }
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
    class PartList {
    public:
        PartList(const Part* first, size_t count) : fFirst(first), fCount(count) {}
        const Part* begin() const { return fFirst; }
        const Part* end() const { return fFirst + fCount; }
        size_t size() const { return fCount; }
        bool empty() const { return fCount == 0; }
        const Part& front() const { return fFirst[0]; }
        const Part& operator[](size_t i) const { return fFirst[i]; }

    private:
        const Part* fFirst;
        size_t fCount;
    };
    PartList Parts() const { return {fParts, fPartCount}; }

private:
    friend class ObjectModel;
    Boss(ObjectModel& model, ClassID id, Part* parts) : fModel(model), fClass(id), fParts(parts) {}
    ~Boss() override = default;

    ObjectModel& fModel;
    ClassID fClass;
    mutable int32 fRefCount = 1;
    IDataBase* fDataBase = nullptr;
    UID fUID = kInvalidUID;
    Part* fParts;          // in the boss's block, after the boss
    size_t fPartCount = 0; // the parts built so far
    uint32 fSizeClass = 0; // of the block, for the model's pool
    Boss* fPrevLive = nullptr;
    Boss* fNextLive = nullptr;
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
    Boss* Find(UID uid) const { return fObjects.Find(uid); }
    void Clear();

private:
    ObjectModel& fModel;
    FlatMap<UID, Boss*> fObjects;
    UID fNext = 1;
};

// The host of an implementation, from the boss its constructor was given
// (CPMUnknown's fBoss): the host builds every object, so that is a Boss.
inline Host& HostOf(const IPMUnknown* boss) {
    return static_cast<const Boss*>(boss)->GetHost();
}

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
