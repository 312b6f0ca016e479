// OpalSetPaletteAlphaCmd and the window alpha: which stored panels decide a
// palette's opacity, and how the opacity becomes the window's alpha.
#include "EngineTestSupport.h"
#include "OpalID.h"

#include <limits>

using testing_support::EngineTest;

TEST_F(EngineTest, StoredOpacity_GivesTheWindowAlphaOfTheTable_TruncatedAndNeverWrapped) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"A"});
    // Beyond 100 counts as 100: no wrap (150 would give 126), and no undefined
    // conversion for huge values.
    for (const auto& [opacity, alpha] : {std::pair{15.0, 38},
                                         {20.0, 51},
                                         {25.0, 63},
                                         {39.999999999, 101},
                                         {50.0, 127},
                                         {75.0, 191},
                                         {99.0, 252},
                                         {100.0, 254},
                                         {150.0, 254},
                                         {1e300, 254},
                                         {std::numeric_limits<double>::infinity(), 254}}) {
        StoreOpacity("A", opacity);
        ApplyPaletteAlpha("P");
        EXPECT_EQ(WindowAlpha("P"), alpha) << opacity;
    }
}

TEST_F(EngineTest, PanelsOfOnePalette_TheLargestDecides_AtLeastTheFloor) {
    AddPaletteWith("Two", kPaletteFloatingBoss, {"A", "B"});
    AddPaletteWith("Low", kPaletteDockedBoss, {"C"});
    AddPaletteWith("Other", kPaletteFloatingBoss, {"D"});
    StoreOpacity("A", 40);
    StoreOpacity("B", 70);
    StoreOpacity("C", 10);
    StoreOpacity("D", 90); // another palette's panel never counts
    ApplyPaletteAlpha("Two");
    ApplyPaletteAlpha("Low");
    EXPECT_EQ(WindowAlpha("Two"), 178);
    EXPECT_EQ(WindowAlpha("Low"), 38);
}

TEST_F(EngineTest, ValuesWithinTheTolerance_DoNotReplaceTheFirst) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"A", "B"});
    AddPaletteWith("Q", kPaletteFloatingBoss, {"C", "D"});
    StoreOpacity("A", 50);
    StoreOpacity("B", 50.000000005);
    // Chosen so that taking the second value would change the alpha.
    StoreOpacity("C", 39.999999999);
    StoreOpacity("D", 40.000000004);
    ApplyPaletteAlpha("P");
    ApplyPaletteAlpha("Q");
    EXPECT_EQ(WindowAlpha("P"), 127);
    EXPECT_EQ(WindowAlpha("Q"), 101);
}

TEST_F(EngineTest, OnlyActivePanelsDecide_ElseTheLastMatchingEntry) {
    // A and B share one group: only the front tab B passes the panel test.
    TheWorld().AddPalette("Tabs");
    host::PanelOptions inTabs;
    inTabs.palette = "Tabs";
    TheWorld().AddPanel("A", inTabs);
    TheWorld().AddPanel("B", inTabs);
    StoreOpacity("A", 90);
    StoreOpacity("B", 40);
    ApplyPaletteAlpha("Tabs");
    EXPECT_EQ(WindowAlpha("Tabs"), 102);

    // A hidden palette's panels all fail it: the last matching entry decides.
    AddPaletteWith("Hidden", kPaletteFloatingBoss, {"C", "D"});
    TheWorld().HidePalette("Hidden");
    StoreOpacity("C", 80);
    StoreOpacity("D", 30);
    ApplyPaletteAlpha("Hidden");
    EXPECT_EQ(WindowAlpha("Hidden"), 76);
}

TEST_F(EngineTest, PanelWithIDZero_CountsAsAMatch) {
    TheWorld().AddPalette("P");
    host::PanelOptions options;
    options.palette = "P";
    options.panelID = 0;
    TheWorld().AddPanel("Zero", options);
    TheWorld().HidePalette("P"); // so that the last-match rule decides
    StoreOpacityForID(0, 30);
    ApplyPaletteAlpha("P");
    EXPECT_EQ(WindowAlpha("P"), 76);
}

TEST_F(EngineTest, WindowsLeftAlone_WhenNothingDecides) {
    AddPaletteWith("Empty", kPaletteFloatingBoss, {"A"}); // A not stored
    AddPaletteWith("Stash", kPaletteStashBoss, {"B"});
    AddPaletteWith("Other", kPaletteOtherBoss, {"C"});
    StoreOpacity("B", 50);
    StoreOpacity("C", 50);
    for (const char* palette : {"Empty", "Stash", "Other"}) {
        ApplyPaletteAlpha(palette);
        EXPECT_FALSE(IsLayered(palette)) << palette;
    }
    // A palette gone between the request and its execution.
    const UIDRef gone(&TheHost().UIDataBase(), 0x7fffff);
    const testing_support::RefSnapshot before = testing_support::RefSnapshot::Take(TheHost());
    ApplyPaletteAlpha(gone);
    EXPECT_REFS_UNCHANGED(before);
}

TEST_F(EngineTest, OpacityOff_GivesEveryNamedPaletteFullOpacity_AndItStaysLayered) {
    AddPaletteWith("Floating", kPaletteFloatingBoss, {"A"});
    AddPaletteWith("Docked", kPaletteDockedBoss, {"B"});
    AddPaletteWith("Stash", kPaletteStashBoss, {});
    AddPaletteWith("Other", kPaletteOtherBoss, {});
    StoreOpacity("A", 50);
    ApplyPaletteAlpha("Floating");
    EXPECT_EQ(WindowAlpha("Floating"), 127);

    SetOpacityOn(false);
    for (const char* palette : {"Floating", "Docked", "Stash", "Other"}) {
        ApplyPaletteAlpha(palette);
        EXPECT_TRUE(IsLayered(palette)) << palette;
        EXPECT_EQ(WindowAlpha(palette), 254) << palette;
    }
}

TEST_F(EngineTest, PaletteCommand_NamesItselfAndChangesNoModelData) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"A"});
    StoreOpacity("A", 60);
    Drain();
    TheHost().ClearCommandLog();
    TheHost().ClearDirtyLog();
    ApplyPaletteAlpha("P");
    ASSERT_EQ(TheHost().CommandLog().size(), 1u);
    const host::CommandRecord& record = TheHost().CommandLog().front();
    EXPECT_EQ(record.classID, kOpalSetPaletteAlphaCmdBoss);
    EXPECT_EQ(record.name, "Opal Set Palette Alpha");
    EXPECT_EQ(record.priority, 1);
    EXPECT_EQ(record.target, 0);
    EXPECT_EQ(record.undoability, 1);
    EXPECT_TRUE(TheHost().DirtyLog().empty());
    EXPECT_EQ(WindowAlpha("P"), 153);
}
