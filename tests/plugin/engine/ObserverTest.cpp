// The window-list and tab-area observers and the command that attaches the
// latter: what each change schedules, and which tab areas get watched.
#include "DataInterfaces.h"
#include "EngineTestSupport.h"
#include "HostRecorder.h"
#include "ICommand.h"
#include "ISubject.h"
#include "InterfacePtr.h"
#include "OpalID.h"

using testing_support::EngineTest;
using testing_support::kAttachTabAreaObserver;
using testing_support::kSetPaletteAlpha;
using testing_support::kUpdatePanelList;
using testing_support::RefSnapshot;
using testing_support::Scheduled;
using testing_support::TestTree;

namespace {

void RunAttachCommand(const UIDRef& palette) {
    InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalAttachTabAreaObserverCmdBoss));
    ASSERT_TRUE(command);
    InterfacePtr<IUIDData> data(command, IID_IUIDDATA);
    ASSERT_TRUE(data);
    data->Set(palette);
    CmdUtils::ExecuteCommand(command.get());
}

} // namespace

TEST_F(EngineTest, WindowList_ShownOrCreated_SchedulesPerClass_OtherChangesOnlyTheList) {
    const std::vector<std::string> withAttach = {Scheduled(kSetPaletteAlpha, 1),
                                                 Scheduled(kAttachTabAreaObserver, 0),
                                                 Scheduled(kUpdatePanelList, 0)};
    const std::vector<std::string> withoutAttach = {Scheduled(kSetPaletteAlpha, 1),
                                                    Scheduled(kUpdatePanelList, 0)};
    const std::vector<std::string> listOnly = {Scheduled(kUpdatePanelList, 0)};
    for (const auto& [cls, created] : {std::pair{kPaletteFloatingBoss, withAttach},
                                       {kPaletteStashBoss, withAttach},
                                       {kPaletteDockedBoss, withoutAttach},
                                       {kPaletteOtherBoss, withoutAttach}}) {
        const std::string name = "palette " + std::to_string(cls);
        trace.Start(TheHost());
        TheWorld().AddPalette(name, cls);
        EXPECT_TRUE(testing_support::SameRequests(trace.Lines(), created)) << name;
        trace.Start(TheHost());
        TheWorld().HidePalette(name);
        EXPECT_TRUE(testing_support::SameRequests(trace.Lines(), listOnly)) << name;
        Drain();
    }
}

TEST_F(EngineTest, WindowList_OtherObjectsOrNoOrigin_DoNothing) {
    TheWorld().AddPanel("Loose");
    Drain();
    auto* observer = TheHost().ApplicationBoss()->PeekAs<IObserver>(kOpalWindowListObserverIID);
    ASSERT_TRUE(observer);
    const RefSnapshot before = RefSnapshot::Take(TheHost());
    trace.Start(TheHost());
    observer->Update(kWindowShownOrCreatedMsg, nullptr, IID_IWINDOWLIST_PROTOCOL,
                     Panel("Loose").boss);
    observer->Update(kWindowShownOrCreatedMsg, nullptr, IID_IWINDOWLIST_PROTOCOL, nullptr);
    EXPECT_TRUE(trace.Lines().empty());
    EXPECT_REFS_UNCHANGED(before);
}

TEST_F(EngineTest, AttachCommand_FirstTabAreaPerContainer_NothingBelowATabArea) {
    // palette -> [ row: [T1 -> [nested], T2],  gap: [absent, T3],  deep: [inner: [T4]] ]
    TestTree tree(TheHost());
    host::Boss* palette = tree.Palette();
    host::Boss* row = tree.Container();
    host::Boss* gap = tree.Container();
    host::Boss* deep = tree.Container();
    host::Boss* inner = tree.Container();
    host::Boss* t1 = tree.TabArea();
    host::Boss* nested = tree.TabArea();
    host::Boss* t2 = tree.TabArea();
    host::Boss* t3 = tree.TabArea();
    host::Boss* t4 = tree.TabArea();
    tree.SetChildren(palette, {row, gap, deep});
    tree.SetChildren(row, {t1, t2});
    tree.SetChildren(t1, {nested});
    tree.SetChildren(gap, {nullptr, t3});
    tree.SetChildren(deep, {inner});
    tree.SetChildren(inner, {t4});

    trace.Start(TheHost());
    RunAttachCommand(tree.Ref(palette));
    EXPECT_TRUE(TestTree::Observed(t1));
    EXPECT_TRUE(TestTree::Observed(t4));
    EXPECT_FALSE(TestTree::Observed(t2));
    EXPECT_FALSE(TestTree::Observed(nested));
    EXPECT_FALSE(TestTree::Observed(t3));
    EXPECT_EQ(trace.Count(Scheduled(kSetPaletteAlpha, 1)), 2u);
    Drain();
}

TEST_F(EngineTest, AttachCommand_Twice_AttachesAndAppliesOnce) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"A"});
    Drain();
    host::Boss* tabArea = Palette("P").tabAreas.at(0);
    auto* subject = tabArea->PeekAs<ISubject>(IID_ISUBJECT);
    auto* observer = tabArea->PeekAs<IObserver>(kOpalTabAreaObserverIID);
    subject->DetachObserver(observer, IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID);

    StoreOpacity("A", 50);
    const UIDRef palette(Palette("P").boss->DataBase(), Palette("P").uid);
    testing_support::HostRecorder recorder(TheHost());
    RunAttachCommand(palette);
    RunAttachCommand(palette);
    Drain();
    EXPECT_REQUESTS(recorder, {
                                  "run \"Opal Attach TabAreaObserver to kTabAreaBoss\" priority -1",
                                  "attach 0xc9215 on 0x101 to class 0x612",
                                  "schedule \"Opal Set Palette Alpha\" priority 1",
                                  "run \"Opal Attach TabAreaObserver to kTabAreaBoss\" priority -1",
                                  "run \"Opal Set Palette Alpha\" priority 1",
                                  "window \"P\" style 0x80000",
                                  "window \"P\" alpha 127",
                              });
}

TEST_F(EngineTest, TabArea_ChangeReappliesItsPalette_OutsideAnyPaletteNothing) {
    AddPaletteWith("Target", kPaletteFloatingBoss, {"Resident"});
    AddPaletteWith("Source", kPaletteFloatingBoss, {"Mover", "Stay"});
    StoreOpacity("Mover", 60);
    Drain(); // the window-list observer has attached the tab-area observers
    EXPECT_FALSE(IsLayered("Target"));

    TheWorld().MovePanel("Mover", "Target");
    Drain();
    EXPECT_EQ(WindowAlpha("Target"), 153);

    TestTree tree(TheHost());
    host::Boss* stray = tree.TabArea();
    auto* observer = stray->PeekAs<IObserver>(kOpalTabAreaObserverIID);
    ASSERT_TRUE(observer);
    const RefSnapshot before = RefSnapshot::Take(TheHost());
    trace.Start(TheHost());
    observer->Update(kTabAreaPanelAddedMsg, stray->PeekAs<ISubject>(IID_ISUBJECT),
                     IID_ITABAREA_PROTOCOL, nullptr);
    EXPECT_TRUE(trace.Lines().empty());
    EXPECT_REFS_UNCHANGED(before);
}
