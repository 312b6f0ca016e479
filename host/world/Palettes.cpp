#include "world/Palettes.h"

#include "core/HostClasses.h"
#include "core/Text.h"
#include "world/WorldState.h"
#include "world/WorldWidgets.h"

#include <algorithm>

namespace host {

void DefinePaletteClasses(ObjectModel& model) {
    const InterfacePairs palette = {{IID_ICONTROLVIEW, kWorldControlViewImpl},
                                    {IID_IPALETTEWINDOW, kPaletteWindowImpl},
                                    {IID_IPANELCONTROLDATA, kWorldChildrenImpl},
                                    {IID_ISUBJECT, kSubjectImpl}};
    for (ClassID id :
         {kPaletteFloatingBoss, kPaletteDockedBoss, kPaletteStashBoss, kPaletteOtherBoss})
        model.DefineClass(id, 0, palette, "host");
    model.DefineClass(
        kTabGroupBoss, 0,
        {{IID_ICONTROLVIEW, kWorldControlViewImpl}, {IID_IPANELCONTROLDATA, kWorldChildrenImpl}},
        "host");
    const InterfacePairs tabArea = {{IID_ICONTROLVIEW, kWorldControlViewImpl},
                                    {IID_IPANELCONTROLDATA, kWorldChildrenImpl},
                                    {IID_ISUBJECT, kSubjectImpl}};
    model.DefineClass(kTabAreaBoss, 0, tabArea, "host");
    model.DefineClass(kTabAreaAltBoss, 0, tabArea, "host");
}

bool IsPaletteClass(ClassID classID) {
    return classID == kPaletteFloatingBoss || classID == kPaletteDockedBoss ||
           classID == kPaletteStashBoss || classID == kPaletteOtherBoss;
}

// ---- The state's palettes and groups --------------------------------------------------

size_t World::State::PaletteIndex(const std::string& name) const {
    for (size_t i = 0; i < palettes.size(); ++i)
        if (palettes[i].name == name)
            return i;
    throw WorldError("no palette named " + Quoted(name));
}

World::State::Group* World::State::GroupOf(const Panel& panel, size_t* groupIndex, size_t* tab) {
    if (panel.palette < 0)
        return nullptr;
    Palette& palette = palettes[static_cast<size_t>(panel.palette)];
    for (size_t g = 0; g < palette.groups.size(); ++g) {
        auto& tabs = palette.groups[g].tabs;
        auto it = std::find(tabs.begin(), tabs.end(), panel.id);
        if (it != tabs.end()) {
            if (groupIndex)
                *groupIndex = g;
            if (tab)
                *tab = static_cast<size_t>(it - tabs.begin());
            return &palette.groups[g];
        }
    }
    return nullptr;
}

World::State::Palette& World::State::PaletteOf(const Panel& panel) {
    if (panel.palette < 0)
        throw WorldError("panel " + Quoted(panel.name) + " is in no palette");
    return palettes[static_cast<size_t>(panel.palette)];
}

void World::State::BuildGroup(size_t paletteIndex, Group& group) {
    group.container = NewBoss(kTabGroupBoss);
    group.tabArea = NewBoss(kTabAreaBoss);
    owner[group.container] = paletteIndex;
    owner[group.tabArea] = paletteIndex;
    ChildrenOf(group.container)->fChildren = {group.tabArea};
    SyncTabs(group);
}

void World::State::BuildPalette(size_t index) {
    Palette& palette = palettes[index];
    palette.boss = NewBoss(palette.classID);
    palette.window =
        world.CreatePaletteWindow(palette.name, world.FindPalette(palette.name)->position);
    PaletteWindowOf(palette.boss)->fWindow = palette.window;
    owner[palette.boss] = index;
    paletteByUID[palette.boss->GetUID()] = index;
    for (Group& group : palette.groups)
        BuildGroup(index, group);
    SyncPalette(palette);
}

void World::State::Retire(Palette& palette) {
    if (!palette.boss)
        return;
    for (Group& group : palette.groups)
        Retire(group);
    if (WorldChildren* children = ChildrenOf(palette.boss))
        children->fChildren.clear();
    dying.push_back(std::exchange(palette.boss, nullptr));
    palette.window = nullptr;
}

void World::State::Retire(Group& group) {
    if (group.tabArea) {
        ChildrenOf(group.tabArea)->fChildren.clear();
        dying.push_back(std::exchange(group.tabArea, nullptr));
    }
    if (group.container) {
        ChildrenOf(group.container)->fChildren.clear();
        dying.push_back(std::exchange(group.container, nullptr));
    }
}

void World::State::SyncTabs(Group& group) {
    if (!group.tabArea)
        return;
    auto& children = ChildrenOf(group.tabArea)->fChildren;
    children.clear();
    for (int32 id : group.tabs)
        if (Panel* panel = PanelByID(id); panel && panel->boss)
            children.push_back(panel->boss);
}

void World::State::SyncPalette(Palette& palette) {
    if (!palette.boss)
        return;
    auto& children = ChildrenOf(palette.boss)->fChildren;
    children.clear();
    for (Group& group : palette.groups) {
        if (group.container)
            children.push_back(group.container);
        SyncTabs(group);
        for (int32 id : group.tabs)
            if (Panel* panel = PanelByID(id))
                if (WorldControlView* view = ViewOf(panel->boss))
                    view->SetVisible(palette.shown && group.front == id);
    }
    if (WorldControlView* view = ViewOf(palette.boss))
        view->SetVisible(palette.shown);
    world.ShowPaletteWindow(palette.window, palette.shown);
    world.paletteChanges.Publish({palette.name, false});
}

void World::State::Attach(Panel& panel, size_t paletteIndex, bool newGroup) {
    Palette& palette = palettes[paletteIndex];
    const bool fresh = newGroup || palette.groups.empty();
    if (fresh) {
        palette.groups.emplace_back();
        if (palette.boss)
            BuildGroup(paletteIndex, palette.groups.back());
    }
    Group& group = palette.groups.back();
    group.tabs.push_back(panel.id);
    group.front = panel.id;
    panel.palette = static_cast<int32>(paletteIndex);
    SyncPalette(palette);
    PostTab(group, kTabAreaPanelAddedMsg, panel);
}

void World::State::Detach(Panel& panel) {
    size_t g = 0, tab = 0;
    Group* group = GroupOf(panel, &g, &tab);
    if (!group) {
        panel.palette = -1;
        return;
    }
    Palette& palette = palettes[static_cast<size_t>(panel.palette)];
    group->tabs.erase(group->tabs.begin() + static_cast<std::ptrdiff_t>(tab));
    if (group->front == panel.id && !group->tabs.empty())
        group->front = group->tabs[std::min(tab, group->tabs.size() - 1)];
    PostTab(*group, kTabAreaPanelRemovedMsg, panel);
    // An empty group goes; its tab area stays known as the palette's until
    // its message is out, so that an observer finds the palette it left.
    if (group->tabs.empty()) {
        Retire(*group);
        palette.groups.erase(palette.groups.begin() + static_cast<std::ptrdiff_t>(g));
    }
    panel.palette = -1;
    SyncPalette(palette);
    if (panel.boss)
        if (WorldControlView* view = ViewOf(panel.boss))
            view->SetVisible(false);
}

void World::State::SetFront(Panel& panel) {
    Group* group = GroupOf(panel);
    if (!group || group->front == panel.id)
        return;
    group->front = panel.id;
    SyncPalette(PaletteOf(panel));
    PostTab(*group, kTabAreaFrontChangedMsg, panel);
}

ScreenPoint World::State::PlaceOf(const Palette& palette) const {
    if (palette.placed)
        return {palette.x, palette.y};
    const auto index = static_cast<int32>(&palette - palettes.data());
    return {kCascadeLeft + kCascadeStep * index, kCascadeTop + kCascadeStep * index};
}

namespace {

// Whether two palettes' title bars, at these top-left corners, overlap.
bool TitlesMeet(ScreenPoint a, ScreenPoint b) {
    return a.x < b.x + kPaletteLeastWidth && b.x < a.x + kPaletteLeastWidth &&
           a.y < b.y + kPaletteTitleBar && b.y < a.y + kPaletteTitleBar;
}

bool OnScreen(ScreenPoint at) {
    return at.x >= 0 && at.y >= 0 && at.x + kPaletteLeastWidth <= kPlacingWidth &&
           at.y + kPaletteTitleBar <= kPlacingHeight;
}

} // namespace

// From its cascade step, a title bar's height down and right until no other
// shown palette's title bar is under its own; past the screen's edge the
// cascade starts again at the top left. With no such place on the screen,
// the step it had.
void World::State::PlaceFreely(Palette& palette) {
    if (palette.placed)
        return;
    const ScreenPoint step = PlaceOf(palette);
    const auto free = [&](ScreenPoint at) {
        for (const Palette& other : palettes)
            if (&other != &palette && other.shown && TitlesMeet(at, PlaceOf(other)))
                return false;
        return true;
    };
    constexpr int32 kTries =
        (kPlacingWidth / kPaletteTitleBar) * (kPlacingHeight / kPaletteTitleBar);
    ScreenPoint at = step;
    int32 restarts = 0;
    for (int32 i = 0; i < kTries && !(OnScreen(at) && free(at)); ++i) {
        at = {at.x + kPaletteTitleBar, at.y + kPaletteTitleBar};
        if (!OnScreen(at))
            at = {restarts++ * kPaletteTitleBar, 0};
    }
    if (!OnScreen(at) || !free(at))
        at = step;
    palette.placed = true;
    palette.x = at.x;
    palette.y = at.y;
    if (at.x != step.x || at.y != step.y)
        world.paletteChanges.Publish({palette.name, true});
}

void World::State::SetShown(Palette& palette, bool shown) {
    if (palette.shown == shown)
        return;
    if (shown)
        PlaceFreely(palette);
    palette.shown = shown;
    SyncPalette(palette);
    PostWindow(shown ? kWindowShownOrCreatedMsg : kWindowHiddenMsg, palette);
    if (palette.boss)
        world.fHost.Notify(&Layer::PaletteShown, static_cast<const Boss*>(palette.boss), shown);
}

// ---- Changing the palettes --------------------------------------------------------------

void World::AddPalette(const std::string& name, ClassID classID, bool shown,
                       std::optional<ScreenPoint> at) {
    State& s = *fState;
    if (name.empty())
        throw WorldError("a palette needs a name");
    if (!IsPaletteClass(classID))
        throw WorldError("class " + Hex(classID) +
                         " is not a palette window class (0x613, 0x170, 0x1640f, 0xfc03)");
    for (const auto& p : s.palettes)
        if (p.name == name)
            throw WorldError("a palette named " + Quoted(name) + " already exists");
    s.palettes.push_back({name, classID, shown, {}, nullptr, nullptr, false, 0, 0});
    if (at)
        PlacePalette(name, at->x, at->y);
    else if (shown)
        s.PlaceFreely(s.palettes.back());
    if (fBuilt) {
        s.BuildPalette(s.palettes.size() - 1);
        s.PostWindow(kWindowShownOrCreatedMsg, s.palettes.back());
    }
    s.Flush();
}

void World::MovePanel(const std::string& panelName, const std::string& paletteName, bool newGroup) {
    State& s = *fState;
    State::Panel& panel = s.PanelNamed(panelName);
    const size_t palette = s.PaletteIndex(paletteName);
    s.Detach(panel);
    s.Attach(panel, palette, newGroup);
    s.Flush();
}

void World::BringToFront(const std::string& panel) {
    State& s = *fState;
    State::Panel& p = s.PanelNamed(panel);
    s.PaletteOf(p);
    s.SetFront(p);
    s.Flush();
}

void World::ShowPanel(const std::string& panel) {
    State& s = *fState;
    State::Panel& p = s.PanelNamed(panel);
    State::Palette& palette = s.PaletteOf(p);
    s.SetFront(p);
    s.SetShown(palette, true);
    s.Flush();
}

void World::HidePanel(const std::string& panel) {
    State& s = *fState;
    State::Panel& p = s.PanelNamed(panel);
    s.SetShown(s.PaletteOf(p), false);
    s.Flush();
}

void World::ShowPalette(const std::string& palette) {
    State& s = *fState;
    s.SetShown(s.palettes[s.PaletteIndex(palette)], true);
    s.Flush();
}

void World::HidePalette(const std::string& palette) {
    State& s = *fState;
    s.SetShown(s.palettes[s.PaletteIndex(palette)], false);
    s.Flush();
}

void World::RecreatePalette(const std::string& name) {
    State& s = *fState;
    const size_t index = s.PaletteIndex(name);
    State::Palette& palette = s.palettes[index];
    if (!fBuilt)
        return;
    s.PostWindow(kWindowDestroyedMsg, palette);
    s.Retire(palette);
    s.Flush();
    s.BuildPalette(index);
    s.PostWindow(kWindowShownOrCreatedMsg, palette);
    s.Flush();
}

void World::PlacePalette(const std::string& palette, int32 x, int32 y) {
    State& s = *fState;
    auto& p = s.palettes[s.PaletteIndex(palette)];
    p.placed = true;
    p.x = x;
    p.y = y;
    paletteChanges.Publish({p.name, true});
}

const std::string* World::PaletteName(UID palette) const {
    const auto it = fState->paletteByUID.find(palette);
    return it == fState->paletteByUID.end() ? nullptr : &fState->palettes[it->second].name;
}

void World::RaisePalette(const std::string& palette) {
    State& s = *fState;
    s.palettes[s.PaletteIndex(palette)].raisedAt = ++s.raises;
}

std::vector<PaletteInfo> World::Palettes() const {
    std::vector<PaletteInfo> result;
    for (const auto& p : fState->palettes)
        result.push_back(*FindPalette(p.name));
    return result;
}

std::optional<PaletteInfo> World::FindPalette(const std::string& name) const {
    for (const auto& p : fState->palettes) {
        if (p.name != name)
            continue;
        PaletteInfo info;
        info.name = p.name;
        info.classID = p.classID;
        info.shown = p.shown;
        info.boss = p.boss;
        info.uid = p.boss ? p.boss->GetUID() : kInvalidUID;
        info.window = p.window;
        info.raisedAt = p.raisedAt;
        info.position = fState->PlaceOf(p);
        for (const auto& g : p.groups) {
            info.groups.push_back(g.tabs);
            if (g.tabArea)
                info.tabAreas.push_back(g.tabArea);
        }
        return info;
    }
    return std::nullopt;
}

// ---- Operating-system windows (world/unix, world/windows) ---------------------------

void World::SetPaletteWindows(PaletteWindows* windows) {
    fPaletteWindows = windows ? windows : fSystemWindows.get();
}

HWND World::CreatePaletteWindow(const std::string& name, ScreenPoint place) {
    return fPaletteWindows->Create(name, place);
}

void World::DestroyPaletteWindow(HWND window) {
    if (window)
        fPaletteWindows->Destroy(window);
}

void World::ShowPaletteWindow(HWND window, bool shown) {
    if (window && fPaletteWindows->IsShown(window) != shown)
        fPaletteWindows->Show(window, shown);
}

bool World::IsPaletteWindowShown(HWND window) const {
    return fPaletteWindows->IsShown(window);
}

} // namespace host
