// What the widgets tell their observers: selection changes (and whether the
// user made them), entered values, pressed buttons, and texts set quietly.
#include "OpalID.h"
#include "UiTestSupport.h"
#include "ui/Alerts.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
#include "ui/SliderCombo.h"
#include "ui/Widgets.h"

using host::Boss;
using host::Host;
using namespace host::ui;
using testing_support::Heard;
using testing_support::OpalPanelTest;
using testing_support::RecordingObserver;

namespace {

const Heard kChanged{kListSelectionChangedMsg, IID_ILISTSELECTION_PROTOCOL};
const Heard kByUser{kListSelectionByUserMsg, IID_ILISTSELECTION_PROTOCOL};
const Heard kEntered{kFieldValueEnteredMsg, IID_IFIELDVALUE_PROTOCOL};

bool Highlighted(const Boss* widget) {
    if (!ViewOf(widget)->IsHilited())
        return false;
    for (const Boss* child : ChildrenOf(widget))
        if (!Highlighted(child))
            return false;
    return true;
}

class WidgetEventsTest : public OpalPanelTest {
protected:
    void SetUp() override {
        OpalPanelTest::SetUp();
        TheHost().Get<Alerts>().ClearLog();
    }
    ITextControlData* Text(const Boss* widget) {
        return widget->PeekAs<ITextControlData>(IID_ITEXTCONTROLDATA);
    }
};

TEST_F(WidgetEventsTest, Selection_OnePairPerUserAction_OnlyTheChangeOtherwise) {
    Boss* rows[] = {AppendRow("A", "20%"), AppendRow("B", "30%"), AppendRow("C", "40%")};
    RecordingObserver observer(TheHost().Model());
    observer.Listen(List(), IID_ILISTSELECTION_PROTOCOL);

    EXPECT_TRUE(SelectByUser(List(), {0, 2}));
    EXPECT_EQ(observer.heard, (std::vector<Heard>{kChanged, kByUser}));
    EXPECT_EQ(ListSelected(List()), (std::set<int32>{0, 2}));
    EXPECT_TRUE(Highlighted(rows[0]) && Highlighted(rows[2]));
    EXPECT_FALSE(ViewOf(rows[1])->IsHilited());

    // Clicking what is already selected changes nothing and tells nothing.
    observer.heard.clear();
    EXPECT_FALSE(SelectByUser(List(), {0, 2}));
    EXPECT_TRUE(observer.heard.empty());

    // One row alone: the others lose their highlight.
    EXPECT_TRUE(SelectByUser(List(), {1}));
    EXPECT_FALSE(ViewOf(FindWidget(rows[0], kOpalRowAlphaBarWidgetID))->IsHilited());
    EXPECT_TRUE(Highlighted(rows[1]));

    // A selection the plug-in makes is a change, not the user's.
    observer.heard.clear();
    auto* selection = List()->PeekAs<IListSelection>(IID_ILISTSELECTION);
    selection->Select(2, kTrue, kTrue);
    selection->Select(0, kTrue, kFalse);
    EXPECT_EQ(observer.heard, std::vector<Heard>{kChanged});
    EXPECT_EQ(selection->GetSelected(), 0);
    selection->DeselectAll(kTrue, kTrue);
    EXPECT_EQ(observer.heard, (std::vector<Heard>{kChanged, kChanged}));
    EXPECT_EQ(selection->GetSelected(), -1);
    selection->Select(7, kTrue, kTrue); // no such row
    EXPECT_EQ(observer.heard.size(), 2u);

    // Rows that go take their selection with them, quietly.
    SelectByUser(List(), {0});
    observer.heard.clear();
    List()->PeekAs<IListControlData>(IID_ILISTCONTROLDATA)->Clear(kFalse, kFalse);
    EXPECT_TRUE(ListSelected(List()).empty());
    EXPECT_TRUE(observer.heard.empty());
}

TEST_F(WidgetEventsTest, Field_ChecksItsLimits_AcceptedValuesAreToldWithPercent) {
    Boss* field = Widget(kOpalOpacitySliderWidgetID);
    RecordingObserver observer(TheHost().Model());
    observer.Listen(field, IID_IFIELDVALUE_PROTOCOL);

    for (const char* refused : {"10", "100.5", "abc", "", "5O", "--3"}) {
        SCOPED_TRACE(refused);
        EXPECT_EQ(TypeIntoField(field, refused), FieldEntry::kRefused);
        EXPECT_EQ(TheHost().Get<Alerts>().Log().back(), "Enter a number between 15 and 100.");
        EXPECT_EQ(TextOf(field), "100%");
    }
    EXPECT_TRUE(observer.heard.empty());

    EXPECT_EQ(TypeIntoField(field, "60"), FieldEntry::kAccepted);
    EXPECT_EQ(TextOf(field), "60%");
    EXPECT_EQ(TypeIntoField(field, " 15% "), FieldEntry::kAccepted);
    EXPECT_EQ(TextOf(field), "15%");
    EXPECT_EQ(TypeIntoField(field, "100"), FieldEntry::kAccepted);
    EXPECT_EQ(TypeIntoField(field, "42.5"), FieldEntry::kAccepted);
    EXPECT_EQ(TextOf(field), "42.5%");
    EXPECT_EQ(observer.heard, std::vector<Heard>(4, kEntered));

    // A disabled field takes no keys: no alert, no change.
    const size_t alerts = TheHost().Get<Alerts>().Log().size();
    ViewOf(field)->Disable(kTrue);
    EXPECT_EQ(TypeIntoField(field, "70"), FieldEntry::kIgnored);
    EXPECT_EQ(TypeIntoField(field, "7"), FieldEntry::kIgnored);
    EXPECT_EQ(TextOf(field), "42.5%");
    EXPECT_EQ(TheHost().Get<Alerts>().Log().size(), alerts);
    EXPECT_EQ(observer.heard.size(), 4u);
}

TEST_F(WidgetEventsTest, Texts_SetWithoutNotificationTellNothing) {
    Boss* field = Widget(kOpalOpacitySliderWidgetID);
    Boss* name = FindWidget(AppendRow("A", "20%"), kOpalRowNameWidgetID);
    RecordingObserver observer(TheHost().Model());
    observer.Listen(field, IID_IFIELDVALUE_PROTOCOL);
    observer.Listen(name, IID_ITEXTCONTROLDATA);

    Text(field)->SetString(PMString::FromUTF8("55%"), kTrue, kFalse, kTrue);
    Text(name)->SetString(PMString::FromUTF8("B"), kTrue, kFalse, kTrue);
    EXPECT_TRUE(observer.heard.empty());
    EXPECT_EQ(TextOf(field), "55%");

    Text(field)->SetString(PMString::FromUTF8("56%"));
    Text(name)->SetString(PMString::FromUTF8("C"));
    // The same text again tells only when forced.
    Text(name)->SetString(PMString::FromUTF8("C"), kTrue, kTrue, kFalse);
    EXPECT_EQ(observer.heard,
              (std::vector<Heard>{kEntered, {host::ui::kTextChangedMsg, IID_ITEXTCONTROLDATA}}));
}

TEST_F(WidgetEventsTest, Buttons_TellPresses_UnlessDisabled) {
    Boss* onOff = Widget(kOpalOnOffButtonWidgetID);
    RecordingObserver observer(TheHost().Model());
    observer.Listen(onOff, IID_IBUTTON_PROTOCOL);
    EXPECT_TRUE(PressButton(onOff));
    ViewOf(onOff)->Disable(kTrue);
    EXPECT_FALSE(PressButton(onOff));
    EXPECT_EQ(observer.heard, (std::vector<Heard>{{kButtonPressedMsg, IID_IBUTTON_PROTOCOL}}));
}

} // namespace
