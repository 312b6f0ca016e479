#include "ObjectModel.h"

#include <algorithm>
#include <cstdlib>

namespace host {

ObjectModel::ObjectModel() = default;
ObjectModel::~ObjectModel() = default;

bool ObjectModel::RegisterImpl(const ImplRecord& record) {
    return fImpls.emplace(record.id, record).second;
}

const ImplRecord* ObjectModel::FindImpl(ImplementationID id) const {
    auto it = fImpls.find(id);
    return it == fImpls.end() ? nullptr : &it->second;
}

std::vector<ImplementationID> ObjectModel::RegisteredImpls(const std::string& origin) const {
    std::vector<ImplementationID> ids;
    for (const auto& [id, record] : fImpls)
        if (record.origin == origin)
            ids.push_back(id);
    return ids;
}

void ObjectModel::DefineClass(ClassID id, ClassID parent, const InterfacePairs& pairs,
                              const std::string& origin) {
    fClasses[id] = BossClass{id, parent, pairs, origin};
    fResolved.clear();
}

void ObjectModel::AddIns(ClassID id, const InterfacePairs& pairs, const std::string& origin) {
    fAddIns[id].emplace_back(pairs, origin);
    fResolved.clear();
}

bool ObjectModel::HasClass(ClassID id) const {
    return fClasses.count(id) != 0;
}

const BossClass* ObjectModel::FindClass(ClassID id) const {
    auto it = fClasses.find(id);
    return it == fClasses.end() ? nullptr : &it->second;
}

InterfacePairs ObjectModel::ResolvedPairs(ClassID id) const {
    InterfacePairs result;
    auto put = [&result](const InterfacePairs& pairs) {
        for (const auto& pair : pairs) {
            auto same = std::find_if(result.begin(), result.end(),
                                     [&](const auto& p) { return p.first == pair.first; });
            if (same != result.end())
                same->second = pair.second;
            else
                result.push_back(pair);
        }
    };
    // Walk up to the root first so that the class's own pairs come last and win.
    std::vector<const BossClass*> chain;
    std::set<ClassID> seen;
    for (const BossClass* c = FindClass(id); c && seen.insert(c->id).second;
         c = c->parent ? FindClass(c->parent) : nullptr)
        chain.push_back(c);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        put((*it)->pairs);
        auto addIns = fAddIns.find((*it)->id);
        if (addIns != fAddIns.end())
            for (const auto& [pairs, origin] : addIns->second)
                put(pairs);
    }
    return result;
}

std::vector<ImplementationID> ObjectModel::MissingImplementations() const {
    std::set<ImplementationID> missing;
    auto check = [&](const InterfacePairs& pairs) {
        for (const auto& pair : pairs)
            if (!FindImpl(pair.second))
                missing.insert(pair.second);
    };
    for (const auto& [id, c] : fClasses)
        check(c.pairs);
    for (const auto& [id, list] : fAddIns)
        for (const auto& [pairs, origin] : list)
            check(pairs);
    return {missing.begin(), missing.end()};
}

void ObjectModel::RemoveOrigin(const std::string& origin) {
    fResolved.clear();
    for (auto it = fImpls.begin(); it != fImpls.end();)
        it = it->second.origin == origin ? fImpls.erase(it) : std::next(it);
    for (auto it = fClasses.begin(); it != fClasses.end();)
        it = it->second.origin == origin ? fClasses.erase(it) : std::next(it);
    for (auto& [id, list] : fAddIns)
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const auto& entry) { return entry.second == origin; }),
                   list.end());
}

Boss* ObjectModel::CreateBoss(ClassID id) {
    if (!HasClass(id))
        return nullptr;
    auto& resolved = fResolved[id];
    if (!resolved)
        resolved = std::make_shared<const InterfacePairs>(ResolvedPairs(id));
    // Held while the parts are made, should one of them change the classes.
    const std::shared_ptr<const InterfacePairs> pairs = resolved;
    return new Boss(*this, id, *pairs);
}

const Boss* ObjectModel::BossOf(const IPMUnknown* object) const {
    auto it = fOwner.find(object);
    return it == fOwner.end() ? nullptr : it->second;
}

Boss* ObjectModel::BossOf(const IPMUnknown* object) {
    auto it = fOwner.find(object);
    return it == fOwner.end() ? nullptr : it->second;
}

std::vector<LiveObject> ObjectModel::LiveObjects() const {
    std::vector<LiveObject> result;
    for (const Boss* boss : fLive)
        result.push_back({boss, boss->Class(), boss->GetUID(), boss->RefCount()});
    return result;
}

void ObjectModel::Track(Boss* boss, const IPMUnknown* part) {
    fLive.insert(boss);
    fOwner[part] = boss;
}

void ObjectModel::Untrack(Boss* /*boss*/, const IPMUnknown* part) {
    fOwner.erase(part);
}

void ObjectModel::Forget(Boss* boss) {
    fLive.erase(boss);
}

// ---- Boss -----------------------------------------------------------------------

Boss::Boss(ObjectModel& model, ClassID id, const InterfacePairs& pairs)
    : fModel(model), fClass(id) {
    fModel.Track(this, this);
    for (const auto& [iid, implID] : pairs) {
        const ImplRecord* record = fModel.FindImpl(implID);
        if (!record)
            continue; // an implementation nobody registered: that interface is absent
        void* storage = std::malloc(record->size());
        if (!storage)
            continue;
        IPMUnknown* object = record->create(storage, this);
        fParts.push_back({iid, implID, record, object, storage});
        fModel.Track(this, object);
    }
}

Boss::~Boss() {
    // Later parts may refer to earlier ones, so take them down in reverse.
    for (auto it = fParts.rbegin(); it != fParts.rend(); ++it) {
        fModel.Untrack(this, it->object);
        it->record->destroy(it->object);
        std::free(it->storage);
    }
    fModel.Untrack(this, this);
    fModel.Forget(this);
}

IPMUnknown* Boss::QueryInterface(PMIID iid) const {
    if (!fModel.GetFaults().Acquire())
        return nullptr;
    return QueryInternal(iid);
}

IPMUnknown* Boss::QueryInternal(PMIID iid) const {
    IPMUnknown* object = Peek(iid);
    if (object)
        AddRef();
    return object;
}

IPMUnknown* Boss::Peek(PMIID iid) const {
    if (iid == IID_IUNKNOWN)
        return const_cast<Boss*>(this);
    for (const Part& part : fParts)
        if (part.iid == iid)
            return part.object;
    return nullptr;
}

void Boss::Release() const {
    if (--fRefCount == 0)
        delete this;
}

// ---- Database -------------------------------------------------------------------

Database::~Database() {
    Clear();
}

IPMUnknown* Database::Instantiate(UID uid, PMIID interfaceID) const {
    if (!fModel.GetFaults().Acquire())
        return nullptr;
    Boss* boss = Find(uid);
    return boss ? boss->QueryInternal(interfaceID) : nullptr;
}

bool16 Database::IsValidUID(UID uid) const {
    return Find(uid) ? kTrue : kFalse;
}

UID Database::Add(Boss* boss) {
    UID uid = fNext++;
    fObjects[uid] = boss;
    boss->SetPlace(this, uid);
    return uid;
}

void Database::Remove(UID uid) {
    auto it = fObjects.find(uid);
    if (it == fObjects.end())
        return;
    Boss* boss = it->second;
    fObjects.erase(it);
    boss->SetPlace(nullptr, kInvalidUID);
    boss->Release();
}

Boss* Database::Find(UID uid) const {
    auto it = fObjects.find(uid);
    return it == fObjects.end() ? nullptr : it->second;
}

void Database::Clear() {
    // Newest first: children are usually created after their containers.
    while (!fObjects.empty())
        Remove(std::prev(fObjects.end())->first);
}

} // namespace host
