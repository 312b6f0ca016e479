#include "world/World.h"

#include "CControlView.h"
#include "CPMUnknown.h"
#include "IPanelRegistry.h"
#include "ISubject.h"
#include "IWidgets.h"
#include "core/Host.h"
#include "core/HostClasses.h"
#include "core/StandInWindows.h"
#include "core/Text.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <utility>

namespace host {

// ---- The world's widget implementations ---------------------------------------------
namespace {

// The world's own implementation of `iid` on `boss`, or nullptr when the boss
// carries another one (a plug-in's panel).
template <class T> T* Own(const Boss* boss, PMIID iid, ImplementationID impl) {
    if (!boss)
        return nullptr;
    for (const Boss::Part& part : boss->Parts())
        if (part.iid == iid)
            return part.impl == impl ? static_cast<T*>(part.object) : nullptr;
    return nullptr;
}

class WorldControlView : public CControlView {
public:
    using CControlView::CControlView;
    void SetVisible(bool visible) {
        if (visible)
            Show();
        else
            Hide();
    }
};
CREATE_PMINTERFACE(WorldControlView, kWorldControlViewImpl);

// A container's children. The world owns them (through the UI database); the
// list only points at them and is emptied before they go.
class WorldChildren : public CPMUnknown<IPanelControlData> {
public:
    using CPMUnknown<IPanelControlData>::CPMUnknown;
    int32 Length() const override { return static_cast<int32>(fChildren.size()); }
    IControlView* QueryWidget(int32 index) const override {
        if (!Host::Get().GetFaults().Acquire() || index < 0 || index >= Length())
            return nullptr;
        return static_cast<IControlView*>(
            fChildren[static_cast<size_t>(index)]->QueryInternal(IID_ICONTROLVIEW));
    }
    IControlView* QueryWidgetByID(WidgetID id, int32 depth) const override {
        if (!Host::Get().GetFaults().Acquire())
            return nullptr;
        const Boss* found = Find(id, depth);
        return found ? static_cast<IControlView*>(found->QueryInternal(IID_ICONTROLVIEW)) : nullptr;
    }

    // The world's containers are the world's to fill: palettes, groups and tab
    // areas change only through the world's own operations.
    void AddWidget(IControlView* /*widget*/, int32 /*at*/, bool16 /*invalidate*/) override {}
    void ReleaseAll(bool16 /*invalidate*/) override {}

    std::vector<Boss*> fChildren;

private:
    const Boss* Find(WidgetID id, int32 depth) const {
        if (depth <= 0)
            return nullptr;
        for (const Boss* child : fChildren) {
            auto* view = child->PeekAs<IControlView>(IID_ICONTROLVIEW);
            if (view && view->GetWidgetID() == id)
                return child;
        }
        for (const Boss* child : fChildren) {
            if (auto* ours = Own<WorldChildren>(child, IID_IPANELCONTROLDATA, kWorldChildrenImpl)) {
                if (const Boss* found = ours->Find(id, depth - 1))
                    return found;
            } else if (auto* below = child->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA);
                       below && below->Length() > 0) {
                // Somebody else's container (a plug-in panel's) searches itself.
                if (IControlView* view = below->QueryWidgetByID(id, depth - 1)) {
                    const Boss* boss = Host::Get().Model().BossOf(view);
                    view->Release();
                    return boss;
                }
            }
        }
        return nullptr;
    }
};
CREATE_PMINTERFACE(WorldChildren, kWorldChildrenImpl);

class WorldPaletteWindow : public CPMUnknown<IPaletteWindow> {
public:
    using CPMUnknown<IPaletteWindow>::CPMUnknown;
    HWND GetWindowHandle() const override { return fWindow; }
    HWND fWindow = nullptr;
};
CREATE_PMINTERFACE(WorldPaletteWindow, kPaletteWindowImpl);

class PanelRegistryImpl : public CPMUnknown<IPanelRegistry> {
public:
    using CPMUnknown<IPanelRegistry>::CPMUnknown;
    int32 GetPanelCount() const override { return World::Get().PanelCount(); }
    int32 GetNthPanelID(int32 index) const override { return World::Get().NthPanelID(index); }
    bool16 IsValidPanel(int32 panelID) const override {
        return World::Get().PanelName(panelID) ? kTrue : kFalse;
    }
    PMString GetPanelName(int32 panelID) const override {
        const std::string* name = World::Get().PanelName(panelID);
        return name ? PMString::FromUTF8(*name, PMString::kTranslateDuringCall) : PMString();
    }
    IPMUnknown* QueryPanelByID(int32 panelID) const override {
        if (!Host::Get().GetFaults().Acquire())
            return nullptr;
        Boss* boss = World::Get().PanelBoss(panelID);
        if (!boss)
            return nullptr;
        IPMUnknown* view = boss->QueryInternal(IID_ICONTROLVIEW);
        return view ? view : boss->QueryInternal(IID_IUNKNOWN);
    }
};
CREATE_PMINTERFACE(PanelRegistryImpl, kPanelRegistryImpl);

class PaletteRegistryImpl : public CPMUnknown<IPaletteRegistry> {
public:
    using CPMUnknown<IPaletteRegistry>::CPMUnknown;
    int32 GetPaletteCount() const override { return World::Get().PaletteCount(); }
    UID GetNthPaletteUID(int32 index) const override { return World::Get().NthPaletteUID(index); }
    bool16 IsPaletteShown(int32 /*locale*/, UID palette) const override {
        return World::Get().IsPaletteShown(palette) ? kTrue : kFalse;
    }
};
CREATE_PMINTERFACE(PaletteRegistryImpl, kPaletteRegistryImpl);

class PanelMgrImpl : public CPMUnknown<IPanelMgr> {
public:
    using CPMUnknown<IPanelMgr>::CPMUnknown;
    UID GetPaletteUIDOfPanel(int32 panelID) const override {
        return World::Get().PaletteUIDOfPanel(panelID);
    }
    bool16 IsPanelActive(int32 panelID, int32 /*reserved*/) const override {
        return World::Get().IsPanelActive(panelID) ? kTrue : kFalse;
    }
    bool16 IsPanelPaletteShown(int32 panelID) const override {
        return World::Get().IsPanelPaletteShown(panelID) ? kTrue : kFalse;
    }
    void ShowPanel(int32 panelID, bool16 bringToFront) override {
        World::Get().ShowPanel(panelID, bringToFront != kFalse);
    }
    void HidePanel(int32 panelID) override { World::Get().HidePanel(panelID); }
};
CREATE_PMINTERFACE(PanelMgrImpl, kPanelMgrImpl);

WorldChildren* ChildrenOf(const Boss* boss) {
    return Own<WorldChildren>(boss, IID_IPANELCONTROLDATA, kWorldChildrenImpl);
}

WorldControlView* ViewOf(const Boss* boss) {
    return Own<WorldControlView>(boss, IID_ICONTROLVIEW, kWorldControlViewImpl);
}

std::string Hex(uint32 value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", value);
    return buffer;
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

} // namespace

bool IsPaletteClass(ClassID classID) {
    return classID == kPaletteFloatingBoss || classID == kPaletteDockedBoss ||
           classID == kPaletteStashBoss || classID == kPaletteOtherBoss;
}

// ---- The world's state ------------------------------------------------------------------

struct World::State {
    struct Panel {
        std::string name;
        int32 id;
        ClassID classID;
        WidgetID widgetID;
        int32 palette = -1; // index into palettes
        Boss* boss = nullptr;
    };
    struct Group {
        std::vector<int32> tabs; // panel IDs in tab order
        int32 front = 0;         // panel ID of the front tab
        Boss* container = nullptr;
        Boss* tabArea = nullptr;
    };
    struct Palette {
        std::string name;
        ClassID classID;
        bool shown;
        std::vector<Group> groups;
        Boss* boss = nullptr;
        HWND window = nullptr;
    };
    // A message waiting to be sent; its bosses are held until then.
    struct Message {
        Boss* subject; // nullptr: the application's window list
        ClassID change;
        Boss* origin;
    };

    std::vector<Palette> palettes;
    std::vector<Panel> panels;
    std::unordered_map<int32, size_t> panelByID;
    std::unordered_map<UID, size_t> paletteByUID;
    // Palette, group containers and tab areas -> palette index.
    std::unordered_map<const Boss*, size_t> owner;
    int32 nextID = 101;

    std::vector<Message> pending;
    std::vector<Boss*> dying; // objects to take down once the messages are out
    bool flushing = false;

    World& world;
    explicit State(World& w) : world(w) {}

    bool Built() const { return world.fBuilt; }
    Database& DB() { return Host::Get().UIDataBase(); }

    // ---- Look-ups --------------------------------------------------------------------
    size_t PaletteIndex(const std::string& name) const {
        for (size_t i = 0; i < palettes.size(); ++i)
            if (palettes[i].name == name)
                return i;
        throw WorldError("no palette named " + Quoted(name));
    }
    Panel& PanelNamed(const std::string& name) {
        for (Panel& p : panels)
            if (p.name == name)
                return p;
        throw WorldError("no panel named " + Quoted(name));
    }
    Panel* PanelByID(int32 id) {
        auto it = panelByID.find(id);
        return it == panelByID.end() ? nullptr : &panels[it->second];
    }
    const Panel* PanelByID(int32 id) const { return const_cast<State*>(this)->PanelByID(id); }
    // The group holding the panel, or nullptr when it is in no palette.
    Group* GroupOf(const Panel& panel, size_t* groupIndex = nullptr, size_t* tab = nullptr) {
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
    Palette& PaletteOf(const Panel& panel) {
        if (panel.palette < 0)
            throw WorldError("panel " + Quoted(panel.name) + " is in no palette");
        return palettes[static_cast<size_t>(panel.palette)];
    }

    // ---- Messages --------------------------------------------------------------------
    void Post(Boss* subject, ClassID change, Boss* origin) {
        if (!Built())
            return;
        if (subject)
            subject->AddRef();
        if (origin)
            origin->AddRef();
        pending.push_back({subject, change, origin});
    }
    void PostWindow(ClassID change, const Palette& palette) { Post(nullptr, change, palette.boss); }
    void PostTab(const Group& group, ClassID change, const Panel& panel) {
        if (group.tabArea)
            Post(group.tabArea, change, panel.boss);
    }
    // Sends the messages in order, then takes down what went out of the world.
    // An observer that changes the world meanwhile adds to the same queue.
    void Flush() {
        if (flushing)
            return;
        flushing = true;
        for (size_t i = 0; i < pending.size(); ++i) {
            const Message m = pending[i];
            Boss* app = Host::Get().ApplicationBoss();
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
    void ReleasePending() {
        for (const Message& m : std::exchange(pending, {})) {
            if (m.subject)
                m.subject->Release();
            if (m.origin)
                m.origin->Release();
        }
    }

    // ---- Objects ----------------------------------------------------------------------
    Boss* NewBoss(ClassID classID) {
        Boss* boss = Host::Get().Model().CreateBoss(classID);
        if (boss)
            DB().Add(boss);
        return boss;
    }
    void TakeDown(Boss* boss) {
        if (WorldChildren* children = ChildrenOf(boss))
            children->fChildren.clear();
        owner.erase(boss);
        const UID uid = boss->GetUID();
        paletteByUID.erase(uid); // UIDs are never reused
        if (auto* window = Own<WorldPaletteWindow>(boss, IID_IPALETTEWINDOW, kPaletteWindowImpl))
            DestroyPaletteWindow(std::exchange(window->fWindow, nullptr));
        if (boss->DataBase() == &DB())
            DB().Remove(uid);
        else
            boss->Release();
    }
    void BuildPanel(Panel& panel) {
        Boss* boss = nullptr;
        if (panel.classID != kPanelBoss && world.buildPanel) {
            boss = world.buildPanel(panel.classID, panel.widgetID);
            if (boss)
                DB().Add(boss);
        }
        if (!boss)
            boss = NewBoss(panel.classID);
        if (WorldControlView* view = ViewOf(boss))
            view->SetWidgetID(panel.widgetID);
        panel.boss = boss;
    }
    void BuildGroup(size_t paletteIndex, Group& group) {
        group.container = NewBoss(kTabGroupBoss);
        group.tabArea = NewBoss(kTabAreaBoss);
        owner[group.container] = paletteIndex;
        owner[group.tabArea] = paletteIndex;
        ChildrenOf(group.container)->fChildren = {group.tabArea};
        SyncTabs(group);
    }
    void BuildPalette(size_t index) {
        Palette& palette = palettes[index];
        palette.boss = NewBoss(palette.classID);
        palette.window = CreatePaletteWindow(palette.name);
        Own<WorldPaletteWindow>(palette.boss, IID_IPALETTEWINDOW, kPaletteWindowImpl)->fWindow =
            palette.window;
        owner[palette.boss] = index;
        paletteByUID[palette.boss->GetUID()] = index;
        for (Group& group : palette.groups)
            BuildGroup(index, group);
        SyncPalette(palette);
    }
    // Schedules the palette's objects to go once pending messages are out.
    void Retire(Palette& palette) {
        if (!palette.boss)
            return;
        for (Group& group : palette.groups)
            Retire(group);
        if (WorldChildren* children = ChildrenOf(palette.boss))
            children->fChildren.clear();
        dying.push_back(std::exchange(palette.boss, nullptr));
        palette.window = nullptr;
    }
    void Retire(Group& group) {
        if (group.tabArea) {
            ChildrenOf(group.tabArea)->fChildren.clear();
            dying.push_back(std::exchange(group.tabArea, nullptr));
        }
        if (group.container) {
            ChildrenOf(group.container)->fChildren.clear();
            dying.push_back(std::exchange(group.container, nullptr));
        }
    }

    // Brings the children lists and visibility in line with the description.
    void SyncTabs(Group& group) {
        if (!group.tabArea)
            return;
        auto& children = ChildrenOf(group.tabArea)->fChildren;
        children.clear();
        for (int32 id : group.tabs)
            if (Panel* panel = PanelByID(id); panel && panel->boss)
                children.push_back(panel->boss);
    }
    void SyncPalette(Palette& palette) {
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
        ShowPaletteWindow(palette.window, palette.shown);
    }

    // ---- Changes ------------------------------------------------------------------
    void Attach(Panel& panel, size_t paletteIndex, bool newGroup) {
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
    void Detach(Panel& panel) {
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
    void SetFront(Panel& panel) {
        Group* group = GroupOf(panel);
        if (!group || group->front == panel.id)
            return;
        group->front = panel.id;
        SyncPalette(PaletteOf(panel));
        PostTab(*group, kTabAreaFrontChangedMsg, panel);
    }
    void SetShown(Palette& palette, bool shown) {
        if (palette.shown == shown)
            return;
        palette.shown = shown;
        SyncPalette(palette);
        PostWindow(shown ? kWindowShownOrCreatedMsg : kWindowHiddenMsg, palette);
        if (world.onPaletteShown && palette.boss)
            world.onPaletteShown(palette.boss, shown);
    }
    int32 FreeID() {
        while (panelByID.count(nextID))
            ++nextID;
        return nextID++;
    }
};

// ---- World ------------------------------------------------------------------------------

World::World() : fState(new State(*this)) {}

World::~World() {
    delete fState;
}

World& World::Get() {
    // Lives as long as the process, as the host does.
    static World* world = new World;
    return *world;
}

void World::DefineClasses(ObjectModel& model) {
    model.DefineClass(kPanelRegistryBoss, 0, {{IID_IPANELREGISTRY, kPanelRegistryImpl}}, "host");
    model.DefineClass(
        kPaletteRegistryBoss, 0,
        {{IID_IPALETTEREGISTRY, kPaletteRegistryImpl}, {IID_IPANELMGR, kPanelMgrImpl}}, "host");
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
    model.DefineClass(kPanelBoss, 0, {{IID_ICONTROLVIEW, kWorldControlViewImpl}}, "host");
}

// ---- Changes ----------------------------------------------------------------------------

void World::AddPalette(const std::string& name, ClassID classID, bool shown) {
    State& s = *fState;
    if (name.empty())
        throw WorldError("a palette needs a name");
    if (!IsPaletteClass(classID))
        throw WorldError("class " + Hex(classID) +
                         " is not a palette window class (0x613, 0x170, 0x1640f, 0xfc03)");
    for (const auto& p : s.palettes)
        if (p.name == name)
            throw WorldError("a palette named " + Quoted(name) + " already exists");
    s.palettes.push_back({name, classID, shown, {}, nullptr, nullptr});
    if (fBuilt) {
        s.BuildPalette(s.palettes.size() - 1);
        s.PostWindow(kWindowShownOrCreatedMsg, s.palettes.back());
    }
    s.Flush();
}

int32 World::AddPanel(const std::string& name, const PanelOptions& options) {
    State& s = *fState;
    if (name.empty())
        throw WorldError("a panel needs a name");
    for (const auto& p : s.panels)
        if (p.name == name)
            throw WorldError("a panel named " + Quoted(name) + " already exists");
    if (options.panelID)
        if (const State::Panel* taken = s.PanelByID(*options.panelID))
            throw WorldError("panel ID " + std::to_string(*options.panelID) + " is taken by " +
                             Quoted(taken->name));
    std::optional<size_t> palette;
    if (!options.palette.empty())
        palette = s.PaletteIndex(options.palette);
    else if (options.newGroup)
        throw WorldError("a new group needs a palette");

    const int32 id = options.panelID ? *options.panelID : s.FreeID();
    s.panels.push_back({name, id, options.classID, options.widgetID, -1, nullptr});
    s.panelByID[id] = s.panels.size() - 1;
    State::Panel& panel = s.panels.back();
    if (fBuilt)
        s.BuildPanel(panel);
    if (palette)
        s.Attach(panel, *palette, options.newGroup);
    s.Flush();
    return id;
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

void World::Clear() {
    Destroy();
    State& s = *fState;
    s.palettes.clear();
    s.panels.clear();
    s.panelByID.clear();
    s.nextID = 101;
}

// ---- Looking at it ------------------------------------------------------------------

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
        for (const auto& g : p.groups) {
            info.groups.push_back(g.tabs);
            if (g.tabArea)
                info.tabAreas.push_back(g.tabArea);
        }
        return info;
    }
    return std::nullopt;
}

std::vector<PanelInfo> World::Panels() const {
    std::vector<PanelInfo> result;
    for (const auto& p : fState->panels)
        result.push_back(*FindPanel(p.id));
    return result;
}

std::optional<PanelInfo> World::FindPanel(const std::string& name) const {
    for (const auto& p : fState->panels)
        if (p.name == name)
            return FindPanel(p.id);
    return std::nullopt;
}

std::optional<PanelInfo> World::FindPanel(int32 panelID) const {
    State& s = *fState;
    const State::Panel* p = s.PanelByID(panelID);
    if (!p)
        return std::nullopt;
    PanelInfo info;
    info.name = p->name;
    info.panelID = p->id;
    info.classID = p->classID;
    info.boss = p->boss;
    size_t g = 0, tab = 0;
    if (const State::Group* group = s.GroupOf(*p, &g, &tab)) {
        info.palette = s.palettes[static_cast<size_t>(p->palette)].name;
        info.group = static_cast<int32>(g);
        info.tab = static_cast<int32>(tab);
        info.front = group->front == p->id;
    }
    return info;
}

// ---- What the host's implementations ask ------------------------------------------------

int32 World::PanelCount() const {
    return fBuilt ? static_cast<int32>(fState->panels.size()) : 0;
}

int32 World::NthPanelID(int32 index) const {
    if (!fBuilt || index < 0 || index >= PanelCount())
        return 0;
    return fState->panels[static_cast<size_t>(index)].id;
}

const std::string* World::PanelName(int32 panelID) const {
    const State::Panel* p = fBuilt ? fState->PanelByID(panelID) : nullptr;
    return p ? &p->name : nullptr;
}

Boss* World::PanelBoss(int32 panelID) const {
    const State::Panel* p = fState->PanelByID(panelID);
    return p ? p->boss : nullptr;
}

int32 World::PaletteCount() const {
    return fBuilt ? static_cast<int32>(fState->palettes.size()) : 0;
}

UID World::NthPaletteUID(int32 index) const {
    if (!fBuilt || index < 0 || index >= PaletteCount())
        return kInvalidUID;
    const Boss* boss = fState->palettes[static_cast<size_t>(index)].boss;
    return boss ? boss->GetUID() : kInvalidUID;
}

bool World::IsPaletteShown(UID palette) const {
    auto it = fState->paletteByUID.find(palette);
    return it != fState->paletteByUID.end() && fState->palettes[it->second].shown;
}

UID World::PaletteUIDOfPanel(int32 panelID) const {
    const State::Panel* p = fState->PanelByID(panelID);
    if (!p || p->palette < 0)
        return kInvalidUID;
    const Boss* boss = fState->palettes[static_cast<size_t>(p->palette)].boss;
    return boss ? boss->GetUID() : kInvalidUID;
}

bool World::IsPanelActive(int32 panelID) const {
    State& s = *fState;
    const State::Panel* p = s.PanelByID(panelID);
    const State::Group* group = p ? s.GroupOf(*p) : nullptr;
    return group && s.palettes[static_cast<size_t>(p->palette)].shown && group->front == panelID;
}

bool World::IsPanelPaletteShown(int32 panelID) const {
    const State::Panel* p = fState->PanelByID(panelID);
    return p && p->palette >= 0 && fState->palettes[static_cast<size_t>(p->palette)].shown;
}

void World::ShowPanel(int32 panelID, bool bringToFront) {
    State& s = *fState;
    State::Panel* p = s.PanelByID(panelID);
    if (!p || p->palette < 0)
        return;
    if (bringToFront)
        s.SetFront(*p);
    s.SetShown(s.palettes[static_cast<size_t>(p->palette)], true);
    s.Flush();
}

void World::HidePanel(int32 panelID) {
    State& s = *fState;
    State::Panel* p = s.PanelByID(panelID);
    if (!p || p->palette < 0)
        return;
    s.SetShown(s.palettes[static_cast<size_t>(p->palette)], false);
    s.Flush();
}

IPMUnknown* World::QueryPanelByWidgetID(WidgetID widgetID) const {
    if (widgetID == 0)
        return nullptr;
    for (const auto& p : fState->panels) {
        if (p.widgetID != widgetID || !p.boss)
            continue;
        IPMUnknown* view = p.boss->QueryInternal(IID_ICONTROLVIEW);
        return view ? view : p.boss->QueryInternal(IID_IUNKNOWN);
    }
    // A plug-in's panel widget sits in its panel object.
    for (const auto& p : fState->panels) {
        auto* held = p.boss ? p.boss->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA) : nullptr;
        if (held && held->Length() > 0)
            if (IControlView* view = held->QueryWidgetByID(widgetID, 1))
                return view;
    }
    return nullptr;
}

IPMUnknown* World::QueryPaletteOfWidget(const IPMUnknown* widget) const {
    State& s = *fState;
    const Boss* boss = widget ? Host::Get().Model().BossOf(widget) : nullptr;
    // A widget inside a panel is in the panel's palette.
    while (boss && !s.owner.count(boss) &&
           std::none_of(s.panels.begin(), s.panels.end(),
                        [boss](const State::Panel& p) { return p.boss == boss; })) {
        auto* parent = boss->PeekAs<IWidgetParent>(IID_IWIDGETPARENT);
        IPMUnknown* up = parent ? parent->QueryParentFor(IID_IUNKNOWN) : nullptr;
        boss = up ? Host::Get().Model().BossOf(up) : nullptr;
        if (up)
            up->Release(); // the child's parent outlives this look
    }
    if (!boss)
        return nullptr;
    std::optional<size_t> palette;
    if (auto it = s.owner.find(boss); it != s.owner.end())
        palette = it->second;
    for (size_t i = 0; !palette && i < s.panels.size(); ++i)
        if (s.panels[i].boss == boss && s.panels[i].palette >= 0)
            palette = static_cast<size_t>(s.panels[i].palette);
    const Boss* window = palette ? s.palettes[*palette].boss : nullptr;
    return window ? window->QueryInternal(IID_IPALETTEWINDOW) : nullptr;
}

// ---- Operating-system windows -------------------------------------------------------

#if defined(_WIN32)

HWND World::CreatePaletteWindow(const std::string& name) {
    static const wchar_t kClassName[] = L"OpalHostPalette";
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
    const std::wstring title = UTF8ToWide(name);
    // A top-level tool window like the host's palettes.
    return CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, title.c_str(), WS_POPUP | WS_CAPTION,
                           CW_USEDEFAULT, CW_USEDEFAULT, 220, 320, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void World::DestroyPaletteWindow(HWND window) {
    if (window)
        DestroyWindow(window);
}

void World::ShowPaletteWindow(HWND window, bool shown) {
    // A palette that appears leaves the focus where it was, as the host's do.
    if (window && IsPaletteWindowShown(window) != shown)
        ShowWindow(window, shown ? SW_SHOWNOACTIVATE : SW_HIDE);
}

bool World::IsPaletteWindowShown(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

#else

HWND World::CreatePaletteWindow(const std::string& /*name*/) {
    return CreateStandInWindow();
}

void World::DestroyPaletteWindow(HWND window) {
    if (window)
        DestroyStandInWindow(window);
}

void World::ShowPaletteWindow(HWND window, bool shown) {
    if (window)
        ShowStandInWindow(window, shown);
}

bool World::IsPaletteWindowShown(HWND window) {
    return IsStandInWindowShown(window);
}

#endif

// ---- Lifetime -----------------------------------------------------------------------------

void World::Create() {
    if (fBuilt)
        return;
    State& s = *fState;
    ObjectModel& model = Host::Get().Model();
    fPanelRegistry = model.CreateBoss(kPanelRegistryBoss);
    fPaletteRegistry = model.CreateBoss(kPaletteRegistryBoss);
    // Registries are not stored objects, but GetDataBase of them gives the UI database.
    for (Boss* registry : {fPanelRegistry, fPaletteRegistry})
        if (registry)
            registry->SetPlace(&s.DB(), kInvalidUID);
    fBuilt = true;
    for (auto& panel : s.panels)
        s.BuildPanel(panel);
    for (size_t i = 0; i < s.palettes.size(); ++i)
        s.BuildPalette(i);
}

void World::AnnounceWindows() {
    State& s = *fState;
    for (const auto& palette : s.palettes)
        s.PostWindow(kWindowShownOrCreatedMsg, palette);
    s.Flush();
}

void World::Destroy() {
    if (!fBuilt)
        return;
    State& s = *fState;
    s.ReleasePending();
    for (auto& palette : s.palettes)
        s.Retire(palette);
    for (auto& panel : s.panels)
        if (panel.boss)
            s.dying.push_back(std::exchange(panel.boss, nullptr));
    for (Boss* boss : std::exchange(s.dying, {}))
        s.TakeDown(boss);
    for (Boss** registry : {&fPanelRegistry, &fPaletteRegistry})
        if (*registry)
            std::exchange(*registry, nullptr)->Release();
    s.owner.clear();
    s.paletteByUID.clear();
    fBuilt = false;
    if (onTakenDown)
        onTakenDown();
}

} // namespace host
