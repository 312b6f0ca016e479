#include "ObjectModel.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <set>

namespace host {

ObjectModel::ObjectModel(Host* host) : fHost(host) {}

ObjectModel::~ObjectModel() {
    for (FreeBlock*& head : fFreeBlocks)
        while (head)
            ::operator delete(std::exchange(head, head->next));
}

bool ObjectModel::RegisterImpl(const ImplRecord& record) {
    if (!fImpls.emplace(record.id, record).second)
        return false;
    ForgetLayouts();
    return true;
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
    ForgetLayouts();
}

void ObjectModel::AddIns(ClassID id, const InterfacePairs& pairs, const std::string& origin) {
    fAddIns[id].emplace_back(pairs, origin);
    ForgetLayouts();
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
    ForgetLayouts();
    for (auto it = fImpls.begin(); it != fImpls.end();)
        it = it->second.origin == origin ? fImpls.erase(it) : std::next(it);
    for (auto it = fClasses.begin(); it != fClasses.end();)
        it = it->second.origin == origin ? fClasses.erase(it) : std::next(it);
    for (auto& [id, list] : fAddIns)
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const auto& entry) { return entry.second == origin; }),
                   list.end());
}

void ObjectModel::ForgetLayouts() {
    fLayoutOf.Clear();
    for (auto& layout : fLayouts)
        fRetired.push_back(std::move(layout));
    fLayouts.clear();
    if (fBuilding == 0)
        fRetired.clear();
}

namespace {

constexpr size_t kAlign = alignof(std::max_align_t);

constexpr size_t Aligned(size_t n) {
    return (n + kAlign - 1) / kAlign * kAlign;
}

// The part list follows the boss in its block.
constexpr size_t kPartsOffset = Aligned(sizeof(Boss));

} // namespace

BossLayout ObjectModel::LayoutOf(const InterfacePairs& pairs) const {
    BossLayout layout;
    for (const auto& [iid, implID] : pairs)
        // An implementation nobody registered: that interface is absent.
        if (const ImplRecord* record = FindImpl(implID))
            layout.slots.push_back({iid, implID, record, 0});
    size_t offset = kPartsOffset + Aligned(layout.slots.size() * sizeof(Boss::Part));
    for (BossLayout::Slot& slot : layout.slots) {
        slot.offset = offset;
        offset += Aligned(slot.record->size());
    }
    layout.size = offset;
    return layout;
}

Boss* ObjectModel::CreateBoss(ClassID id) {
    const BossLayout* layout = fLayoutOf.Find(id);
    if (!layout) {
        if (!HasClass(id))
            return nullptr;
        fLayouts.push_back(std::make_unique<BossLayout>(LayoutOf(ResolvedPairs(id))));
        layout = fLayouts.back().get();
        fLayoutOf.Insert(id, layout);
    }
    return Build(id, *layout);
}

Boss* ObjectModel::CreateBoss(ClassID id, const InterfacePairs& pairs) {
    const BossLayout layout = LayoutOf(pairs);
    return Build(id, layout);
}

#if defined(__SANITIZE_ADDRESS__)
#define OPAL_POOL_BLOCKS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OPAL_POOL_BLOCKS 0
#endif
#endif
#ifndef OPAL_POOL_BLOCKS
#define OPAL_POOL_BLOCKS 1
#endif

void* ObjectModel::TakeBlock(size_t size, uint32* sizeClass) {
    // Class c holds blocks of c grains; 0 stands for a block of its own size.
    const size_t grains = (size + kBlockGrain - 1) / kBlockGrain;
    if (!OPAL_POOL_BLOCKS || grains >= kBlockClasses) {
        *sizeClass = 0;
        return ::operator new(size);
    }
    *sizeClass = static_cast<uint32>(grains);
    if (FreeBlock* block = fFreeBlocks[grains]) {
        fFreeBlocks[grains] = block->next;
        fPooledBytes -= grains * kBlockGrain;
        block->~FreeBlock();
        return block;
    }
    return ::operator new(grains* kBlockGrain);
}

void ObjectModel::GiveBackBlock(void* block, uint32 sizeClass) {
    const size_t bytes = sizeClass * kBlockGrain;
    if (sizeClass == 0 || fPooledBytes + bytes > kPooledBytesLimit) {
        ::operator delete(block);
        return;
    }
    fFreeBlocks[sizeClass] = new (block) FreeBlock{fFreeBlocks[sizeClass]};
    fPooledBytes += bytes;
}

Boss* ObjectModel::Build(ClassID id, const BossLayout& layout) {
    uint32 sizeClass = 0;
    auto* block = static_cast<char*>(TakeBlock(layout.size, &sizeClass));
    auto* parts = reinterpret_cast<Boss::Part*>(block + kPartsOffset);
    Boss* boss = new (block) Boss(*this, id, parts);
    boss->fSizeClass = sizeClass;
    boss->fPrevLive = fLastLive;
    (fLastLive ? fLastLive->fNextLive : fFirstLive) = boss;
    fLastLive = boss;
    fOwner.Insert(boss, boss);
    ++fBuilding;
    for (const BossLayout::Slot& slot : layout.slots) {
        void* storage = block + slot.offset;
        IPMUnknown* object = slot.record->create(storage, boss);
        // Counted only once built: a part's constructor sees the parts before it.
        new (&parts[boss->fPartCount])
            Boss::Part{slot.iid, slot.impl, slot.record, object, storage};
        ++boss->fPartCount;
        fOwner.Insert(object, boss);
    }
    if (--fBuilding == 0 && !fRetired.empty())
        fRetired.clear();
    return boss;
}

void ObjectModel::Destroy(Boss* boss) {
    // Later parts may refer to earlier ones, so take them down in reverse.
    while (boss->fPartCount > 0) {
        const Boss::Part& part = boss->fParts[boss->fPartCount - 1];
        fOwner.Erase(part.object);
        part.record->destroy(part.object);
        --boss->fPartCount;
    }
    fOwner.Erase(boss);
    (boss->fPrevLive ? boss->fPrevLive->fNextLive : fFirstLive) = boss->fNextLive;
    (boss->fNextLive ? boss->fNextLive->fPrevLive : fLastLive) = boss->fPrevLive;
    const uint32 sizeClass = boss->fSizeClass;
    boss->~Boss();
    GiveBackBlock(boss, sizeClass);
}

std::vector<LiveObject> ObjectModel::LiveObjects() const {
    std::vector<LiveObject> result;
    for (const Boss* boss = fFirstLive; boss; boss = boss->fNextLive)
        result.push_back({boss, boss->Class(), boss->GetUID(), boss->RefCount()});
    return result;
}

// ---- Boss -----------------------------------------------------------------------

IPMUnknown* Boss::QueryInterface(PMIID iid) const {
    if (!fModel.GetFaults().Acquire())
        return nullptr;
    return QueryInternal(iid);
}

void Boss::Release() const {
    if (--fRefCount == 0)
        fModel.Destroy(const_cast<Boss*>(this));
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
    fObjects.Insert(uid, boss);
    boss->SetPlace(this, uid);
    return uid;
}

void Database::Remove(UID uid) {
    Boss* boss = fObjects.Find(uid);
    if (!boss)
        return;
    fObjects.Erase(uid);
    boss->SetPlace(nullptr, kInvalidUID);
    boss->Release();
}

void Database::Clear() {
    // Newest first: children are usually created after their containers.
    // Taking one down may take others or add some: go again until none is left.
    while (fObjects.Size() != 0) {
        std::vector<UID> uids;
        uids.reserve(fObjects.Size());
        fObjects.ForEach([&uids](UID uid, Boss*) { uids.push_back(uid); });
        std::sort(uids.rbegin(), uids.rend());
        for (UID uid : uids)
            Remove(uid);
    }
}

} // namespace host
