// The host world as the plug-in meets it: registries, the panel manager, the
// widget tree, window-list and tab-area messages, re-created windows, restart,
// and the fault counter on everything the world hands out.
#include "world/World.h"
#include "FaultSweep.h"
#include "HostTestSupport.h"
#include "IApplication.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "ISubject.h"
#include "IUtils.h"
#include "IWidgets.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "Platform.h"
#include "RecordingObserver.h"

#include <functional>
#include <optional>
#include <vector>

using host::Boss;
using host::Host;
using host::PanelOptions;
using host::World;
using host::WorldError;
using testing_support::RecordingObserver;

namespace {

PanelOptions In(const std::string& palette, bool newGroup = false,
                std::optional<int32> id = std::nullopt) {
    PanelOptions options;
    options.palette = palette;
    options.newGroup = newGroup;
    options.panelID = id;
    return options;
}

// A host without the plug-in: the world is the host's own.
class WorldTest : public ::testing::Test {
protected:
    void SetUp() override {
        fHost.BeginSession();
        fHost.StartApplication();
    }
    void TearDown() override {
        fHost.GetFaults().Reset();
        fHost.EndSession();
    }
    World& W() { return fHost.Get<World>(); }
    Boss* App() { return fHost.ApplicationBoss(); }
    // Three palettes: Tools (floating, "Pages" over "Layers" | "Links"), Dock
    // (docked, ".Internal") and Stash (hidden), and "Loose" in none.
    void BuildSample() {
        W().AddPalette("Tools");
        W().AddPalette("Dock", kPaletteDockedBoss);
        W().AddPalette("Stash", kPaletteStashBoss, false);
        W().AddPanel("&Pages", In("Tools"));
        W().AddPanel("Layers", In("Tools"));
        W().AddPanel("Links", In("Tools", true));
        W().AddPanel(".Internal", In("Dock"));
        W().AddPanel("Loose");
    }
    int32 ID(const std::string& panel) { return W().FindPanel(panel)->panelID; }
    UID PaletteUID(const std::string& palette) { return W().FindPalette(palette)->uid; }
    Host fHost;
};

template <class T> T* Peek(const Boss* boss, PMIID iid) {
    return boss ? boss->PeekAs<T>(iid) : nullptr;
}

TEST_F(WorldTest, Registries_ListPanelsAndPalettesInCreationOrder) {
    BuildSample();
    W().AddPanel("Given", In("Stash", false, 7));
    W().AddPanel("After");

    InterfacePtr<IApplication> app(
        fHost.SessionBoss()->PeekAs<ISession>(IID_ISESSION)->QueryApplication());
    ASSERT_TRUE(app);
    InterfacePtr<IPanelRegistry> panels(app->QueryPanelRegistry());
    InterfacePtr<IPaletteRegistry> palettes(app->QueryPaletteRegistry());
    ASSERT_TRUE(panels && palettes);

    // Given IDs do not move the counter; automatic ones skip them.
    const std::vector<std::pair<int32, std::string>> expected = {
        {101, "&Pages"}, {102, "Layers"}, {103, "Links"}, {104, ".Internal"},
        {105, "Loose"},  {7, "Given"},    {106, "After"}};
    ASSERT_EQ(panels->GetPanelCount(), 7);
    for (int32 i = 0; i < 7; ++i) {
        const int32 id = panels->GetNthPanelID(i);
        EXPECT_EQ(id, expected[static_cast<size_t>(i)].first);
        EXPECT_EQ(panels->GetPanelName(id).GetUTF8String(),
                  expected[static_cast<size_t>(i)].second);
        InterfacePtr<IPMUnknown> panel(panels->QueryPanelByID(id));
        EXPECT_EQ(GetClass(panel.get()), kPanelBoss);
    }
    EXPECT_FALSE(panels->IsValidPanel(999));
    EXPECT_EQ(panels->QueryPanelByID(999), nullptr);

    ASSERT_EQ(palettes->GetPaletteCount(), 3);
    IDataBase* db = GetDataBase(palettes.get());
    ASSERT_EQ(db, &fHost.UIDataBase());
    const ClassID classes[] = {kPaletteFloatingBoss, kPaletteDockedBoss, kPaletteStashBoss};
    for (int32 i = 0; i < 3; ++i) {
        InterfacePtr<IPaletteWindow> window(static_cast<IPaletteWindow*>(
            db->Instantiate(palettes->GetNthPaletteUID(i), IID_IPALETTEWINDOW)));
        ASSERT_TRUE(window);
        EXPECT_EQ(GetClass(window.get()), classes[i]);
        EXPECT_TRUE(testing_support::IsWindowAlive(window->GetWindowHandle()));
    }
    EXPECT_TRUE(palettes->IsPaletteShown(0, PaletteUID("Tools")));
    EXPECT_FALSE(palettes->IsPaletteShown(0, PaletteUID("Stash")));
    InterfacePtr<IPanelMgr> mgr(palettes, IID_IPANELMGR);
    ASSERT_TRUE(mgr);
    EXPECT_EQ(GetDataBase(mgr.get()), db);
}

TEST_F(WorldTest, PanelManager_FrontTabOfShownPaletteIsActive) {
    BuildSample();
    auto* mgr = Peek<IPanelMgr>(W().PaletteRegistryBoss(), IID_IPANELMGR);
    ASSERT_TRUE(mgr);
    EXPECT_EQ(mgr->GetPaletteUIDOfPanel(ID("Layers")), PaletteUID("Tools"));
    EXPECT_EQ(mgr->GetPaletteUIDOfPanel(ID("Loose")), kInvalidUID);
    EXPECT_EQ(mgr->GetPaletteUIDOfPanel(4242), kInvalidUID);

    // The last panel added to a group is its front tab; each group has one.
    EXPECT_FALSE(mgr->IsPanelActive(ID("&Pages"), 0));
    EXPECT_TRUE(mgr->IsPanelActive(ID("Layers"), 0));
    EXPECT_TRUE(mgr->IsPanelActive(ID("Links"), 0));
    EXPECT_FALSE(mgr->IsPanelActive(ID("Loose"), 0));

    mgr->ShowPanel(ID("&Pages"), kTrue);
    EXPECT_TRUE(mgr->IsPanelActive(ID("&Pages"), 0));
    EXPECT_FALSE(mgr->IsPanelActive(ID("Layers"), 0));

    // Hiding one panel hides its window, and its tab-mates with it.
    mgr->HidePanel(ID("Layers"));
    EXPECT_FALSE(mgr->IsPanelPaletteShown(ID("&Pages")));
    EXPECT_FALSE(mgr->IsPanelActive(ID("&Pages"), 0));
    EXPECT_FALSE(mgr->IsPanelActive(ID("Links"), 0));
    EXPECT_TRUE(mgr->IsPanelPaletteShown(ID(".Internal")));

    // Showing without bringing to front keeps the front tab.
    mgr->ShowPanel(ID("Layers"), kFalse);
    EXPECT_TRUE(mgr->IsPanelActive(ID("&Pages"), 0));
    EXPECT_FALSE(mgr->IsPanelActive(ID("Layers"), 0));
    mgr->ShowPanel(ID("Loose"), kTrue); // in no palette: nothing to show
    EXPECT_FALSE(mgr->IsPanelPaletteShown(ID("Loose")));
}

TEST_F(WorldTest, WidgetTree_PaletteHoldsOneTabAreaPerGroup) {
    BuildSample();
    const Boss* tools = W().FindPalette("Tools")->boss;
    auto* groups = Peek<IPanelControlData>(tools, IID_IPANELCONTROLDATA);
    ASSERT_TRUE(groups);
    ASSERT_EQ(groups->Length(), 2);
    const std::vector<std::vector<std::string>> tabs = {{"&Pages", "Layers"}, {"Links"}};
    for (int32 g = 0; g < 2; ++g) {
        InterfacePtr<IControlView> group(groups->QueryWidget(g));
        auto* inGroup =
            Peek<IPanelControlData>(fHost.Model().BossOf(group.get()), IID_IPANELCONTROLDATA);
        ASSERT_TRUE(inGroup);
        ASSERT_EQ(inGroup->Length(), 1);
        InterfacePtr<IControlView> tabArea(inGroup->QueryWidget(0));
        EXPECT_EQ(GetClass(tabArea.get()), kTabAreaBoss);
        EXPECT_EQ(fHost.UIDataBase().Find(GetUID(tabArea.get())),
                  fHost.Model().BossOf(tabArea.get()));
        auto* inTabArea =
            Peek<IPanelControlData>(fHost.Model().BossOf(tabArea.get()), IID_IPANELCONTROLDATA);
        const auto& names = tabs[static_cast<size_t>(g)];
        ASSERT_EQ(inTabArea->Length(), static_cast<int32>(names.size()));
        for (size_t t = 0; t < names.size(); ++t) {
            InterfacePtr<IControlView> panel(inTabArea->QueryWidget(static_cast<int32>(t)));
            EXPECT_EQ(fHost.Model().BossOf(panel.get()), W().FindPanel(names[t])->boss);
        }
    }
    EXPECT_EQ(groups->QueryWidget(2), nullptr);

    // The utilities find the palette of anything inside it, and of nothing else.
    InterfacePtr<IUtils> utils(UtilsBoss::QueryUtils<IUtils>());
    ASSERT_TRUE(utils);
    const Boss* tabArea = W().FindPalette("Tools")->tabAreas[1];
    InterfacePtr<IPMUnknown> byTabArea(utils->QueryPaletteOfWidget(tabArea));
    InterfacePtr<IPMUnknown> byPanel(utils->QueryPaletteOfWidget(W().FindPanel("Layers")->boss));
    EXPECT_EQ(fHost.Model().BossOf(byTabArea.get()), tools);
    EXPECT_EQ(fHost.Model().BossOf(byPanel.get()), tools);
    EXPECT_EQ(utils->QueryPaletteOfWidget(W().FindPanel("Loose")->boss), nullptr);
    EXPECT_EQ(utils->QueryPaletteOfWidget(App()), nullptr);
}

TEST_F(WorldTest, WindowList_ReportsCreatedShownHiddenAndDestroyed) {
    RecordingObserver list(fHost.Model());
    list.Watch(App(), IID_IWINDOWLIST_PROTOCOL);
    W().AddPalette("Tools");
    W().AddPalette("Stash", kPaletteStashBoss, false);
    const Boss* tools = W().FindPalette("Tools")->boss;
    const Boss* stash = W().FindPalette("Stash")->boss;
    W().AddPanel("Pages", In("Tools"));
    W().HidePanel("Pages");
    W().HidePanel("Pages"); // already hidden: no news
    W().ShowPanel("Pages");
    W().ShowPanel("Pages");
    W().RecreatePalette("Stash");
    const Boss* newStash = W().FindPalette("Stash")->boss;
    W().AnnounceWindows();

    const std::vector<std::pair<ClassID, const Boss*>> expected = {
        {kWindowShownOrCreatedMsg, tools}, {kWindowShownOrCreatedMsg, stash},
        {kWindowHiddenMsg, tools},         {kWindowShownOrCreatedMsg, tools},
        {kWindowDestroyedMsg, stash},      {kWindowShownOrCreatedMsg, newStash},
        {kWindowShownOrCreatedMsg, tools}, {kWindowShownOrCreatedMsg, newStash}};
    ASSERT_EQ(list.seen.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list.seen[i].change, expected[i].first);
        EXPECT_EQ(list.seen[i].origin, expected[i].second);
        EXPECT_EQ(list.seen[i].protocol, IID_IWINDOWLIST_PROTOCOL);
        EXPECT_EQ(list.seen[i].subject, App()->PeekAs<ISubject>(IID_ISUBJECT));
    }
    list.Unwatch(App(), IID_IWINDOWLIST_PROTOCOL);
}

// What a live window shows follows these: a move is told as placed, a change
// of what a palette shows as changed, and nothing is told once the
// subscription has gone.
TEST_F(WorldTest, PaletteChanges_TellPlacesAndContentsWhileSubscribed) {
    W().AddPalette("Tools");
    std::vector<std::string> told;
    {
        const host::Subscription heard =
            W().paletteChanges.Subscribe([&told](const host::PaletteChange& e) {
                told.push_back((e.placed ? "placed " : "changed ") + e.palette);
            });
        W().PlacePalette("Tools", 40, 50);
        W().AddPanel("Pages", In("Tools"));
        W().HidePanel("Pages");
    }
    W().PlacePalette("Tools", 60, 70);
    ASSERT_GE(told.size(), 3u);
    EXPECT_EQ(told.front(), "placed Tools");
    for (size_t i = 1; i < told.size(); ++i)
        EXPECT_EQ(told[i], "changed Tools") << i;
}

TEST_F(WorldTest, TabAreas_ReportAddedRemovedAndFrontFromTheirOwnSubject) {
    W().AddPalette("A");
    W().AddPalette("B");
    W().AddPanel("One", In("A"));
    W().AddPanel("Two", In("B"));
    const Boss* fromA = W().FindPalette("A")->tabAreas[0];
    const Boss* fromB = W().FindPalette("B")->tabAreas[0];
    // A's tab area goes when its last panel leaves: remember its subject.
    const ISubject* subjectA = fromA->PeekAs<ISubject>(IID_ISUBJECT);
    const ISubject* subjectB = fromB->PeekAs<ISubject>(IID_ISUBJECT);
    RecordingObserver tabs(fHost.Model());
    tabs.Watch(fromA, IID_ITABAREA_PROTOCOL);
    tabs.Watch(fromB, IID_ITABAREA_PROTOCOL);
    // While the removal is reported, the tab area still leads to the palette
    // the panel left, though its group is gone.
    std::vector<const Boss*> paletteDuring;
    tabs.during = [&](const RecordingObserver::Seen& s) {
        InterfacePtr<IPMUnknown> palette(fHost.Get<World>().QueryPaletteOfWidget(s.subject));
        paletteDuring.push_back(fHost.Model().BossOf(palette.get()));
    };

    W().AddPanel("Three", In("B"));
    W().BringToFront("Two");
    W().BringToFront("Two"); // already in front
    W().MovePanel("One", "B");

    const Boss* one = W().FindPanel("One")->boss;
    const Boss* two = W().FindPanel("Two")->boss;
    const Boss* three = W().FindPanel("Three")->boss;
    const Boss* a = W().FindPalette("A")->boss;
    const Boss* b = W().FindPalette("B")->boss;
    struct Expected {
        ClassID change;
        const ISubject* subject;
        const Boss* origin;
        const Boss* palette;
    };
    const std::vector<Expected> expected = {{kTabAreaPanelAddedMsg, subjectB, three, b},
                                            {kTabAreaFrontChangedMsg, subjectB, two, b},
                                            {kTabAreaPanelRemovedMsg, subjectA, one, a},
                                            {kTabAreaPanelAddedMsg, subjectB, one, b}};
    ASSERT_EQ(tabs.seen.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(tabs.seen[i].change, expected[i].change);
        EXPECT_EQ(tabs.seen[i].protocol, IID_ITABAREA_PROTOCOL);
        EXPECT_EQ(tabs.seen[i].subject, expected[i].subject);
        EXPECT_EQ(tabs.seen[i].origin, expected[i].origin);
        EXPECT_EQ(paletteDuring[i], expected[i].palette);
    }
    // A's only group went with its last panel; the new front of B is "One".
    EXPECT_TRUE(W().FindPalette("A")->groups.empty());
    EXPECT_TRUE(W().FindPanel("One")->front);
    tabs.Unwatch(fromB, IID_ITABAREA_PROTOCOL);
}

TEST_F(WorldTest, Recreate_GivesANewPlainWindowAndNewObjects) {
    BuildSample();
    const auto before = *W().FindPalette("Tools");
    SetWindowLongW(before.window, GWL_EXSTYLE,
                   GetWindowLongW(before.window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(before.window, 0, 127, LWA_ALPHA);

    W().RecreatePalette("Tools");
    const auto after = *W().FindPalette("Tools");
    EXPECT_NE(after.window, before.window);
    EXPECT_FALSE(testing_support::IsWindowAlive(before.window));
    EXPECT_EQ(GetWindowLongW(after.window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_NE(after.uid, before.uid);
    EXPECT_FALSE(fHost.UIDataBase().IsValidUID(before.uid));
    EXPECT_NE(after.tabAreas[0], before.tabAreas[0]);
    // Same place in the registry, same panels, same front tabs.
    EXPECT_EQ(W().NthPaletteUID(0), after.uid);
    EXPECT_EQ(after.groups, before.groups);
    EXPECT_EQ(W().PaletteUIDOfPanel(ID("Layers")), after.uid);
    EXPECT_TRUE(W().IsPanelActive(ID("Layers")));
}

// Each acquisition the world hands out, failed in turn: the client gets
// nullptr, and everything it did get is released.
TEST_F(WorldTest, Placing_ANewPaletteCascadesOffOtherTitleBars_OnTheScreen) {
    using host::ScreenPoint;
    const auto at = [&](const std::string& name) {
        const auto position = W().FindPalette(name)->position;
        return std::make_pair(position.x, position.y);
    };
    const auto step = [](int32 index) {
        return std::make_pair(host::kCascadeLeft + host::kCascadeStep * index,
                              host::kCascadeTop + host::kCascadeStep * index);
    };
    constexpr int32 kBar = host::kPaletteTitleBar;
    // Nothing in the way: each palette takes its cascade step.
    W().AddPalette("Layout");
    EXPECT_EQ(at("Layout"), step(0));
    // Its step under another's title bar: a bar's height down and right.
    W().AddPalette("Tools", kPaletteFloatingBoss, true,
                   ScreenPoint{step(2).first + 30, step(2).second - 8});
    W().AddPalette("Opal", kPaletteFloatingBoss, false); // placed when first shown
    W().ShowPalette("Opal");
    EXPECT_EQ(at("Opal"), std::make_pair(step(2).first + kBar, step(2).second + kBar));
    // Placed once, it stays when the other goes away or moves on.
    W().PlacePalette("Tools", 600, 500);
    W().HidePalette("Opal");
    W().ShowPalette("Opal");
    EXPECT_EQ(at("Opal"), std::make_pair(step(2).first + kBar, step(2).second + kBar));

    // Off the screen's edge the cascade starts again from the top left: a
    // palette whose step is off the screen comes onto it, clear of a diagonal
    // of title bars from the corner down to the bottom edge.
    for (int32 i = 0; (i + 1) * kBar <= host::kPlacingHeight; ++i)
        W().AddPalette("Bar " + std::to_string(i), kPaletteFloatingBoss, true,
                       ScreenPoint{i * kBar, i * kBar});
    W().AddPalette("Late", kPaletteFloatingBoss, false);
    ASSERT_GT(step(static_cast<int32>(W().Palettes().size()) - 1).first, host::kPlacingWidth);
    W().ShowPalette("Late");
    const int32 clear = kBar * ((host::kPaletteLeastWidth + kBar - 1) / kBar);
    EXPECT_EQ(at("Late"), std::make_pair(clear, 0));
}

TEST_F(WorldTest, Faults_EveryAcquisitionCanFailWithoutLeaks) {
    BuildSample();
    auto walk = [this] {
        auto* session = fHost.SessionBoss()->PeekAs<ISession>(IID_ISESSION);
        InterfacePtr<IApplication> app(session->QueryApplication());
        if (!app)
            return;
        InterfacePtr<IPanelRegistry> panels(app->QueryPanelRegistry());
        InterfacePtr<IPaletteRegistry> palettes(app->QueryPaletteRegistry());
        if (!panels || !palettes)
            return;
        InterfacePtr<IPanelMgr> mgr(palettes, IID_IPANELMGR);
        InterfacePtr<IPMUnknown> panel(panels->QueryPanelByID(ID("Layers")));
        if (!mgr || !panel)
            return;
        InterfacePtr<IPanelControlData> tree(
            static_cast<IPanelControlData*>(GetDataBase(mgr.get())->Instantiate(
                mgr->GetPaletteUIDOfPanel(ID("Layers")), IID_IPANELCONTROLDATA)));
        if (!tree)
            return;
        InterfacePtr<IControlView> group(tree->QueryWidget(0));
        InterfacePtr<IControlView> byID(tree->QueryWidgetByID(12345, 9999));
        InterfacePtr<IUtils> utils(UtilsBoss::QueryUtils<IUtils>());
        if (!group || !utils)
            return;
        InterfacePtr<IPMUnknown> palette(utils->QueryPaletteOfWidget(panel.get()));
        InterfacePtr<ISubject> subject(palette, IID_ISUBJECT);
    };
    const auto before = testing_support::RefSnapshot::Take(fHost);
    walk();
    const int64 acquisitions = fHost.GetFaults().Count();
    // Application, two registries, the panel manager, the panel, the palette,
    // two child look-ups, the utilities, the palette of a widget, the subject.
    ASSERT_EQ(acquisitions, 11);
    EXPECT_EQ(testing_support::SweepFaults(fHost, {"walk"}, walk), acquisitions);
    EXPECT_REFS_UNCHANGED(before);
}

// With the plug-in: the world outlives a restart of the whole session, and
// its tab areas carry the plug-in's observer as an add-in.
class WorldSessionTest : public testing_support::HostSessionTest {};

TEST_F(WorldSessionTest, Restart_KeepsTheWorldWithNewPlainWindowsAndThePluginsObserver) {
    World& w = TheHost().Get<World>();
    w.AddPalette("Tools");
    w.AddPalette("Stash", kPaletteStashBoss, false);
    w.AddPanel("Pages", In("Tools"));
    w.AddPanel("Layers", In("Tools"));
    w.AddPanel("Given", In("Stash", false, 7));
    w.BringToFront("Pages");
    const auto before = w.Palettes();
    SetWindowLongW(before[0].window, GWL_EXSTYLE, WS_EX_LAYERED);

    testing::internal::CaptureStderr();
    std::string error;
    ASSERT_TRUE(session->Restart(&error)) << error;
    // The tab areas (and the plug-in's observers on them) went before the
    // module did, so it was not kept loaded.
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    const auto after = w.Palettes();
    ASSERT_EQ(after.size(), 2u);
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].name, before[i].name);
        EXPECT_EQ(after[i].shown, before[i].shown);
        EXPECT_EQ(after[i].groups, before[i].groups);
        EXPECT_NE(after[i].window, before[i].window);
        EXPECT_EQ(GetWindowLongW(after[i].window, GWL_EXSTYLE) & WS_EX_LAYERED, 0) << "plain";
    }
    EXPECT_TRUE(w.FindPanel("Pages")->front);
    // Registry order: the plug-in's panel from its load on, then the host's.
    EXPECT_EQ(w.NthPanelID(w.PanelCount() - 1), 7);
    EXPECT_EQ(w.AddPanel("Next"), 103);
    ASSERT_NE(after[0].tabAreas[0]->Peek(kOpalTabAreaObserverIID), nullptr);
}

} // namespace
