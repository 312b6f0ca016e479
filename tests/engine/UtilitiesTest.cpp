// Switching opacity for all stored panels, registering the host's panels,
// and the list utilities and list refresh while the Opal panel is absent.
#include "EngineTestSupport.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/OpalPanelUtils.h"
#include "model/IOpalAlphaData.h"
#include "ui/OpalRegisterPanels.h"

using engine_test::EngineTest;
using engine_test::TestTree;
using testing_support::RefSnapshot;

namespace {

class SwitchOpacityTest : public EngineTest {
protected:
    // Three palettes at 50 %, one stored panel each, and a stored panel in no palette.
    void SetUp() override {
        EngineTest::SetUp();
        for (const char* name : {"P1", "P2", "P3"}) {
            const std::string panel = std::string("panel of ") + name;
            AddPaletteWith(name, kPaletteFloatingBoss, {panel});
            StoreAlpha(panel, 50);
        }
        TheWorld().AddPanel("Loose");
        StoreAlpha("Loose", 20);
        for (const char* name : {"P1", "P2", "P3"})
            ApplyPaletteAlpha(name);
    }
    int AtFullOpacity() {
        int count = 0;
        for (const char* name : {"P1", "P2", "P3"})
            count += WindowAlpha(name) == 254;
        return count;
    }
};

} // namespace

TEST_F(SwitchOpacityTest, Off_StoresTheOptionAndReappliesEveryStoredPalette) {
    trace.Start();
    SwitchOpacity(kFalse);
    EXPECT_FALSE(OpacityOn());
    // The loose panel maps to no palette and is skipped; the others are queued.
    EXPECT_EQ(trace.Count(engine_test::Scheduled(engine_test::kSetPaletteAlpha, 1)), 3u);
    Drain();
    EXPECT_EQ(AtFullOpacity(), 3);

    SwitchOpacity(kTrue);
    Drain();
    EXPECT_TRUE(OpacityOn());
    EXPECT_EQ(WindowAlpha("P2"), 127);
}

TEST_F(SwitchOpacityTest, Toggle_TwiceRestoresTheOption) {
    ToggleOpacity();
    Drain();
    EXPECT_FALSE(OpacityOn());
    EXPECT_EQ(AtFullOpacity(), 3);
    ToggleOpacity();
    Drain();
    EXPECT_TRUE(OpacityOn());
    EXPECT_EQ(AtFullOpacity(), 0);
}

TEST_F(SwitchOpacityTest, AFailingPalette_KeepsOnlyItselfFromTheSwitch) {
    // Whichever acquisition fails, once the option is stored at most one
    // palette may miss the switch: an unreachable palette is skipped, not the
    // end of the walk.
    for (int64 k = 1;; ++k) {
        SetOpacityOn(true);
        for (const char* name : {"P1", "P2", "P3"})
            ApplyPaletteAlpha(name);
        TheHost().GetFaults().FailAt(k);
        SwitchOpacity(kFalse);
        Drain();
        const bool fired = TheHost().GetFaults().Fired();
        TheHost().GetFaults().Reset();
        if (!OpacityOn()) {
            EXPECT_GE(AtFullOpacity(), 2) << "failing acquisition " << k;
        }
        if (!fired)
            break;
    }
}

TEST_F(EngineTest, RegisterPanels_StoresEveryListablePanelOnce) {
    TheWorld().AddPalette("P");
    host::PanelOptions inP;
    inP.palette = "P";
    TheWorld().AddPanel("Layers", inP);
    TheWorld().AddPanel(".Internal", inP);
    TheWorld().AddPanel("Loose"); // in no palette window
    TheWorld().AddPanel("Pages", inP);
    host::PanelOptions foreign = inP;
    foreign.classID = TestTree::ContainerClass(); // not a host panel
    TheWorld().AddPanel("Foreign", foreign);

    RegisterPanels();
    InterfacePtr<IOpalAlphaData> data(QueryWorkspace<IOpalAlphaData>(kOpalAlphaDataIID));
    ASSERT_TRUE(data);
    ASSERT_EQ(data->CountEntries(), 2);
    EXPECT_EQ(data->GetEntryAt(0).panelID, Panel("Layers").panelID);
    EXPECT_EQ(data->GetEntryAt(1).panelID, Panel("Pages").panelID);
    EXPECT_DOUBLE_EQ(data->GetEntryAt(0).alpha, 100.0);

    // Again, as each showing of the Opal panel does: nothing added or reset.
    data->SetAlphaForPanel(Panel("Pages").panelID, 40);
    RegisterPanels();
    EXPECT_EQ(data->CountEntries(), 2);
    EXPECT_DOUBLE_EQ(data->GetAlphaForPanel(Panel("Pages").panelID), 40.0);
}

TEST_F(EngineTest, UpdatePanelList_WithoutTheOpalPanel_DoesNothing) {
    const RefSnapshot before = RefSnapshot::Take();
    TheHost().ClearDirtyLog();
    InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalUpdatePanelListCmdBoss));
    ASSERT_TRUE(command);
    EXPECT_EQ(CmdUtils::ExecuteCommand(command.get()), kSuccess);
    command.reset();
    EXPECT_REFS_UNCHANGED(before);
    EXPECT_TRUE(TheHost().DirtyLog().empty());
    ASSERT_FALSE(TheHost().CommandLog().empty());
    const host::CommandRecord& record = TheHost().CommandLog().back();
    EXPECT_EQ(record.name, "Opal update panel listbox");
    EXPECT_EQ(record.target, 0);
    EXPECT_EQ(record.undoability, 1);
}

TEST_F(EngineTest, GetListRowPanel_FindsTheRowsContainer_OrNone) {
    // owner -> list -> its inner row container (0x601) -> rows
    TestTree tree;
    host::Boss* owner = tree.Container();
    host::Boss* list = tree.Container();
    host::Boss* rowContainer = tree.Container();
    host::Boss* rows[] = {tree.Container(), tree.Container()};
    tree.SetWidgetID(list, kOpalPanelListWidgetID);
    tree.SetWidgetID(rowContainer, kListScrollWidgetID);
    tree.SetChildren(owner, {list});
    tree.SetChildren(list, {rowContainer});
    tree.SetChildren(rowContainer, {rows[0], rows[1]});

    const RefSnapshot before = RefSnapshot::Take();
    {
        InterfacePtr<IPanelControlData> row(GetListRowPanel(owner, kOpalPanelListWidgetID, 1));
        EXPECT_EQ(row.get(), rows[1]->Peek(IID_IPANELCONTROLDATA));
        InterfacePtr<IPanelControlData> beyond(GetListRowPanel(owner, kOpalPanelListWidgetID, 2));
        EXPECT_EQ(beyond, nullptr);
        InterfacePtr<IPanelControlData> noList(GetListRowPanel(owner, kOpalRowNameWidgetID, 0));
        EXPECT_EQ(noList, nullptr);
    }
    EXPECT_REFS_UNCHANGED(before);
}
