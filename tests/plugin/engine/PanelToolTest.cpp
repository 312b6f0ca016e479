// The Opal panel's list: which stored panels it shows, in which order, with
// which texts and greyed state, and the row table behind it.
#include "OpalID.h"
#include "PanelUiTestSupport.h"
#include "engine/IOpalPanelTool.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"

using host::Boss;
using namespace host::ui;
using testing_support::PanelUiTest;

namespace {

using Names = std::vector<std::string>;

TEST_F(PanelUiTest, List_SortedByDisplayName_MnemonicsDropped_NamesKeptWhole) {
    AddPaletteWith("P", kPaletteFloatingBoss,
                   {"Swatches", "&Layers", "S&watches", "A&&B", "Trail&", "Слои", "图层"});
    StoreOpacity("Swatches", 99.9);
    StoreOpacity("S&watches", 0);
    StoreOpacity("&Layers", 35);
    ShowOpal();

    // Equal names keep the order of their entries.
    EXPECT_EQ(RowNames(),
              (Names{"A&&B", "Layers", "Opal", "Swatches", "Swatches", "Trail", "Слои", "图层"}));
    EXPECT_EQ(RowTexts(), (Names{"100%", "35%", "100%", "99%", "0%", "100%", "100%", "100%"}));
    EXPECT_EQ(PanelOfRow(3), PanelID("Swatches"));
    EXPECT_EQ(PanelOfRow(4), PanelID("S&watches"));
}

// A row's name as the list shows it: a single "&" goes, "&&" stays.
std::string Shown(const std::string& name) {
    std::string shown;
    for (size_t k = 0; k < name.size(); ++k) {
        if (name[k] != '&')
            shown += name[k];
        else if (k + 1 < name.size() && name[k + 1] == '&')
            shown += name.substr(k++, 2);
    }
    return shown;
}

TEST_F(PanelUiTest, List_ManyEqualNames_InEntryOrder_ComparedByteForByte) {
    const Names world = {"Bar",  "B&ar", "bar", "&Bar", "BAR", "Ba&r",
                         "A&&r", "Bar&", "Zed", "ba&r", "A&r", "Ar"};
    AddPaletteWith("P", kPaletteFloatingBoss, world);
    const Names entries = {"Zed", "Ba&r", "bar",  "Bar&", "A&r", "&Bar", "BAR",
                           "Ar",  "B&ar", "ba&r", "A&&r", "Bar", "Opal"};
    for (const std::string& name : entries)
        if (name != "Opal")
            StoreOpacity(name, 50);
    ShowOpal();
    const int32 opal = *TheHost().Get<PluginPanels>().FindByNameKey(kOpalPanelTitleKey);

    // The rows of a list built by walking back from its end past every
    // greater name, entry by entry.
    std::vector<std::string> expected;
    std::vector<int32> expectedPanels;
    for (const std::string& name : entries) {
        size_t at = expected.size();
        while (at > 0 && expected[at - 1] > Shown(name))
            --at;
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), Shown(name));
        expectedPanels.insert(expectedPanels.begin() + static_cast<std::ptrdiff_t>(at),
                              name == "Opal" ? opal : PanelID(name));
    }
    EXPECT_EQ(RowNames(), expected);
    for (size_t r = 0; r < expectedPanels.size(); ++r)
        EXPECT_EQ(PanelOfRow(static_cast<int32>(r)), expectedPanels[r]) << "row " << r;
}

TEST_F(PanelUiTest, OpenOnly_LeavesOutHiddenUnreachableAndOtherPalettes_AllPanelsGreysSome) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"Floating"});
    AddPaletteWith("D", kPaletteDockedBoss, {"Docked"});
    AddPaletteWith("H", kPaletteFloatingBoss, {"Hidden"}, false);
    AddPaletteWith("S", kPaletteStashBoss, {"Stashed"});
    TheWorld().AddPanel("Loose"); // in no palette: its palette cannot be reached
    StoreOpacity("Loose", 50);
    ShowOpal();

    EXPECT_EQ(RowNames(), (Names{"Docked", "Floating", "Hidden", "Loose", "Opal", "Stashed"}));
    EXPECT_EQ(RowsGreyed(), (std::vector<bool>{false, false, true, false, false, true}));

    PressButton(Widget(kOpalSwapContentButtonWidgetID));
    EXPECT_EQ(RowNames(), (Names{"Docked", "Floating", "Opal"}));
    EXPECT_EQ(RowsGreyed(), (std::vector<bool>(3, false)));

    PressButton(Widget(kOpalSwapContentButtonWidgetID));
    EXPECT_EQ(RowNames(), (Names{"Docked", "Floating", "Hidden", "Loose", "Opal", "Stashed"}));
}

TEST_F(PanelUiTest, UnknownPanelIDs_NeverListed) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"A"});
    StoreOpacityForID(4242, 50);
    ShowOpal();
    EXPECT_EQ(RowNames(), (Names{"A", "Opal"}));
    PressButton(Widget(kOpalSwapContentButtonWidgetID));
    EXPECT_EQ(RowNames(), (Names{"A", "Opal"}));
}

TEST_F(PanelUiTest, Selection_FollowsItsPanelsAcrossARebuild_GoesWithThem) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"Pages"});
    AddPaletteWith("Q", kPaletteFloatingBoss, {"Swatches"});
    SetOption(true, true);
    ShowOpal();
    SelectByName({"Pages", "Swatches"});
    EXPECT_EQ(Selected(), (std::set<int32>{1, 2}));

    // A new panel sorts in front of both.
    AddPaletteWith("R", kPaletteFloatingBoss, {"Brushes"});
    StoreOpacity("Brushes", 100);
    Tool()->RebuildPanelList();
    EXPECT_EQ(RowNames(), (Names{"Brushes", "Opal", "Pages", "Swatches"}));
    EXPECT_EQ(Selected(), (std::set<int32>{2, 3}));
    EXPECT_TRUE(ViewOf(Widget(kOpalOpacitySliderWidgetID))->IsEnabled());

    TheWorld().HidePanel("Pages");
    Tool()->RebuildPanelList();
    EXPECT_EQ(RowNames(), (Names{"Brushes", "Opal", "Swatches"}));
    EXPECT_EQ(Selected(), (std::set<int32>{2}));

    TheWorld().HidePanel("Swatches");
    Tool()->RebuildPanelList();
    EXPECT_TRUE(Selected().empty());
    EXPECT_FALSE(ViewOf(Widget(kOpalOpacitySliderWidgetID))->IsEnabled());
}

TEST_F(PanelUiTest, SameCountOtherPanels_RowsRebuilt_SameTable_RowsKept) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"Alpha"});
    AddPaletteWith("Q", kPaletteFloatingBoss, {"Beta"}, false);
    StoreOpacity("Beta", 40);
    SetOption(true, true);
    ShowOpal();
    EXPECT_EQ(RowNames(), (Names{"Alpha", "Opal"}));

    const std::vector<Boss*> before = ListRows(List());
    Tool()->RebuildPanelList();
    EXPECT_EQ(ListRows(List()), before);

    TheWorld().HidePalette("P");
    TheWorld().ShowPalette("Q");
    Tool()->RebuildPanelList();
    EXPECT_EQ(RowNames(), (Names{"Beta", "Opal"}));
    EXPECT_EQ(RowTexts(), (Names{"40%", "100%"}));
    EXPECT_EQ(PanelOfRow(0), PanelID("Beta"));
}

TEST_F(PanelUiTest, EntryIndexForRow_OutOfRange_IsZero) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"A", "B"});
    StoreOpacity("B", 50);
    StoreOpacity("A", 50); // entries: B, A, then the Opal panel
    ShowOpal();
    EXPECT_EQ(Tool()->GetEntryIndexForRow(0), 1);
    EXPECT_EQ(Tool()->GetEntryIndexForRow(1), 0);
    EXPECT_EQ(Tool()->GetEntryIndexForRow(-1), 0);
    EXPECT_EQ(Tool()->GetEntryIndexForRow(3), 0);
}

} // namespace
