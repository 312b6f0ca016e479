// The Opal panel's controller: the field follows the selection, an entered
// opacity reaches every selected panel and its window, the buttons, and the
// notice about greyed panels.
#include "ISubject.h"
#include "OpalID.h"
#include "PanelUiTestSupport.h"
#include "ui/Alerts.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
#include "ui/SliderCombo.h"
#include "ui/Widgets.h"

#include <algorithm>

using host::Boss;
using host::Host;
using namespace host::ui;
using testing_support::kQueuedAlert;
using testing_support::kQueuedPaletteAlpha;
using testing_support::kRunSetAlpha;
using testing_support::PanelUiTest;

namespace {

class ControllerTest : public PanelUiTest {
protected:
    Boss* Field() const { return Widget(kOpalOpacitySliderWidgetID); }
    bool FieldEnabled() const { return ViewOf(Field())->IsEnabled(); }
    // The list tells of a selection by the user again, as the host may.
    void RepeatUserSelection() {
        Controller()->Update(kListSelectionByUserMsg, List()->PeekAs<ISubject>(IID_ISUBJECT),
                             IID_ILISTSELECTION_PROTOCOL, nullptr);
    }
};

TEST_F(ControllerTest, Field_ShowsTheLargestSelectedOpacity_GreyedWithoutSelection) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"A", "B", "C"});
    StoreOpacity("A", 20);
    StoreOpacity("B", 75.9);
    StoreOpacity("C", 15);
    ShowOpal();
    EXPECT_FALSE(FieldEnabled());

    SelectByName({"A", "B"});
    EXPECT_TRUE(FieldEnabled());
    EXPECT_EQ(TextOf(Field()), "75%");
    SelectByName({"C"});
    EXPECT_EQ(TextOf(Field()), "15%");

    SelectByUser(List(), {});
    EXPECT_FALSE(FieldEnabled());
    EXPECT_EQ(TextOf(Field()), "15%");
}

TEST_F(ControllerTest, EnteredOpacity_StoredForEverySelectedRow_EveryReachableWindowRepainted) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"A"});
    AddPaletteWith("Q", kPaletteFloatingBoss, {"C"});
    AddPaletteWith("R", kPaletteFloatingBoss, {"D"});
    TheWorld().AddPanel("B"); // in no palette: no window to repaint
    StoreOpacity("B", 100);
    ShowOpal();
    SelectByName({"A", "C", "D"});

    StartTrace();
    ASSERT_EQ(TypeIntoField(Field(), "40"), FieldEntry::kAccepted);
    EXPECT_EQ(Traced(kRunSetAlpha), 3u);
    EXPECT_EQ(Traced(kQueuedPaletteAlpha), 3u);
    EXPECT_EQ(RowTexts()[static_cast<size_t>(RowOf("D"))], "40%");

    // A selected panel without a window stops nobody after it.
    SelectByName({"A", "B", "C"});
    StartTrace();
    ASSERT_EQ(TypeIntoField(Field(), "60"), FieldEntry::kAccepted);
    EXPECT_EQ(Traced(kRunSetAlpha), 3u);
    EXPECT_EQ(Traced(kQueuedPaletteAlpha), 2u);
    for (const char* panel : {"A", "B", "C"})
        EXPECT_DOUBLE_EQ(StoredOpacity(panel), 60.0) << panel;
    EXPECT_DOUBLE_EQ(StoredOpacity("D"), 40.0);
    const auto texts = RowTexts();
    EXPECT_EQ(texts[static_cast<size_t>(RowOf("B"))], "60%");
    EXPECT_EQ(texts[static_cast<size_t>(RowOf("C"))], "60%");

    // Nothing selected: nothing changes.
    SelectByUser(List(), {});
    ViewOf(Field())->Enable(kTrue, kFalse);
    StartTrace();
    TypeIntoField(Field(), "70");
    EXPECT_EQ(Traced(kRunSetAlpha), 0u);
}

TEST_F(ControllerTest, ShownAgain_FieldEnabledWithTheSelectionsValue) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"A", "B", "C"});
    StoreOpacity("A", 20);
    StoreOpacity("B", 40);
    ShowOpal();
    SelectByName({"A", "B"});
    EXPECT_EQ(TextOf(Field()), "40%");

    // Changed while the panel was away: the field shows what is stored now.
    HideOpal();
    StoreOpacity("A", 65);
    ViewOf(Field())->Disable(kTrue);
    ShowOpal();
    EXPECT_EQ(Selected(), (std::set<int32>{RowOf("A"), RowOf("B")}));
    EXPECT_TRUE(FieldEnabled());
    EXPECT_EQ(TextOf(Field()), "65%");

    SelectByUser(List(), {});
    HideOpal();
    ShowOpal();
    EXPECT_FALSE(FieldEnabled());
}

TEST_F(ControllerTest, Notice_ScheduledOncePerSelectionOfGreyedRows) {
    AddPaletteWith("H", kPaletteFloatingBoss, {"Hidden1", "Hidden2"}, false);
    AddPaletteWith("P", kPaletteFloatingBoss, {"Open"});
    ShowOpal();
    TheHost().Get<Alerts>().ClearLog();

    StartTrace();
    SelectByName({"Open"});
    EXPECT_EQ(Traced(kQueuedAlert), 0u);
    SelectByName({"Hidden1", "Hidden2", "Open"});
    EXPECT_EQ(Traced(kQueuedAlert), 1u);
    RepeatUserSelection();
    EXPECT_EQ(Traced(kQueuedAlert), 1u);
    SelectByName({"Hidden2"});
    EXPECT_EQ(Traced(kQueuedAlert), 2u);

    TheHost().DrainCommands();
    ASSERT_FALSE(TheHost().Get<Alerts>().Log().empty());
    EXPECT_NE(TheHost().Get<Alerts>().Log().back().find("closed or stashed panels"),
              std::string::npos);
}

TEST_F(ControllerTest, OnOff_ShowsTheStoredState_TwicePressedRestoresIt) {
    AddPaletteWith("P", kPaletteFloatingBoss, {"A"});
    SetOption(false, false);
    ShowOpal();
    Boss* onOff = Widget(kOpalOnOffButtonWidgetID);
    EXPECT_EQ(ViewOf(onOff)->GetRsrcID(), kOpalOffIconRsrcID);

    PressButton(onOff);
    EXPECT_TRUE(OpacityOn());
    EXPECT_EQ(ViewOf(onOff)->GetRsrcID(), kOpalOnIconRsrcID);
    PressButton(onOff);
    EXPECT_FALSE(OpacityOn());
    EXPECT_EQ(ViewOf(onOff)->GetRsrcID(), kOpalOffIconRsrcID);

    // Shown again after the option changed elsewhere.
    HideOpal();
    SetOption(true, false);
    ShowOpal();
    EXPECT_EQ(ViewOf(onOff)->GetRsrcID(), kOpalOnIconRsrcID);
}

} // namespace
