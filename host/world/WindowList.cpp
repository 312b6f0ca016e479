#include "world/WindowList.h"

#include "ISubject.h"
#include "world/WorldState.h"
#include "world/WorldWidgets.h"

#include <utility>

namespace host {

void World::State::Post(Boss* subject, ClassID change, Boss* origin) {
    if (!Built())
        return;
    if (subject)
        subject->AddRef();
    if (origin)
        origin->AddRef();
    pending.push_back({subject, change, origin});
}

// Sends the messages in order, then takes down what went out of the world.
// An observer that changes the world meanwhile adds to the same queue.
void World::State::Flush() {
    if (flushing)
        return;
    flushing = true;
    for (size_t i = 0; i < pending.size(); ++i) {
        const WorldMessage m = pending[i];
        Boss* app = world.fHost.ApplicationBoss();
        Boss* from = m.subject ? m.subject : app;
        auto* subject = from ? from->PeekAs<ISubject>(IID_ISUBJECT) : nullptr;
        const PMIID protocol = m.subject ? IID_ITABAREA_PROTOCOL : IID_IWINDOWLIST_PROTOCOL;
        if (subject)
            subject->Change(m.change, protocol, static_cast<IPMUnknown*>(m.origin));
    }
    ReleasePending();
    for (Boss* boss : std::exchange(dying, {}))
        TakeDown(boss);
    flushing = false;
}

void World::State::ReleasePending() {
    for (const WorldMessage& m : std::exchange(pending, {})) {
        if (m.subject)
            m.subject->Release();
        if (m.origin)
            m.origin->Release();
    }
}

Boss* World::State::NewBoss(ClassID classID) {
    Boss* boss = world.fHost.Model().CreateBoss(classID);
    if (boss)
        DB().Add(boss);
    return boss;
}

void World::State::TakeDown(Boss* boss) {
    if (WorldChildren* children = ChildrenOf(boss))
        children->fChildren.clear();
    owner.erase(boss);
    const UID uid = boss->GetUID();
    paletteByUID.erase(uid); // UIDs are never reused
    if (auto* window = PaletteWindowOf(boss))
        world.DestroyPaletteWindow(std::exchange(window->fWindow, nullptr));
    if (boss->DataBase() == &DB())
        DB().Remove(uid);
    else
        boss->Release();
}

void World::AnnounceWindows() {
    State& s = *fState;
    for (const auto& palette : s.palettes)
        s.PostWindow(kWindowShownOrCreatedMsg, palette);
    s.Flush();
}

} // namespace host
