// The host's widgets as a person uses them with the keyboard and the
// pointer: a list that scrolls and moves its selection by keys, a field that
// edits as an edit box, the focus moving by Tab, buttons that act on release,
// tips, palettes raised by a click, names cut to fit their rows.
#include "HostTestSupport.h"
#include "OpalID.h"
#include "Platform.h"
#include "paint/Drawing.h"
#include "paint/HitTest.h"
#include "script/ScriptRunner.h"
#include "ui/Alerts.h"
#include "ui/DialogManager.h"
#include "ui/Focus.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/SliderCombo.h"
#include "ui/UserAction.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

using host::Boss;
using host::ui::Key;
using host::ui::UserAction;
using testing_support::HostSessionTest;

class KeyboardAndPointerTest : public HostSessionTest {
protected:
    // The Opal panel over a palette with `panels` panels (and the Opal row).
    void Open(int panels) {
        std::string script = "palette Tools at 40 40\n";
        for (int i = 0; i < panels; ++i)
            script += "panel P" + std::to_string(10 + i) + " in Tools\n";
        Run(script + "open opal\nplace Opal 300 100\n");
    }
    std::string Run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out, err;
        host::ScriptContext context{*session, out, err};
        EXPECT_EQ(host::ScriptRunner().Run(in, context), 0) << err.str();
        return out.str();
    }
    Boss* Opal() {
        auto& panels = TheHost().Get<host::ui::PluginPanels>();
        return panels.PanelWidget(*panels.FindByNameKey(kOpalPanelTitleKey));
    }
    Boss* Widget(WidgetID id) { return host::ui::FindWidget(Opal(), id); }
    Boss* List() { return Widget(kOpalPanelListWidgetID); }
    Boss* Field() { return Widget(kOpalOpacitySliderWidgetID); }
    host::ui::ActionResult Press(Key::Code code, bool shift = false) {
        return host::ui::Perform(TheHost(),
                                 UserAction::KeyPress(Opal(), Key{code, {}, shift, false}));
    }
    void Type(const std::string& text, bool ctrl = false) {
        host::ui::Perform(TheHost(),
                          UserAction::KeyPress(Opal(), Key{Key::Code::kText, text, false, ctrl}));
    }
    std::string Typed() { return host::ui::EditOf(Field())->text; }
    std::pair<size_t, size_t> Selection() {
        const auto* edit = host::ui::EditOf(Field());
        return {edit->SelectionStart(), edit->SelectionEnd()};
    }
    host::paint::ScreenLook Screen() {
        const auto measure = host::paint::NewScreenTextMeasure();
        return host::paint::LayOut(TheHost(), *measure);
    }
    // Where the widget is shown on the screen.
    host::paint::Rect PlaceOf(const Boss* widget) {
        const auto screen = Screen();
        for (const auto& look : screen.palettes)
            for (const auto& group : look.groups)
                for (const auto& place : host::paint::PanelPlaces(look, group))
                    if (place.widget == widget)
                        return place.shown;
        ADD_FAILURE() << "the widget is not shown";
        return {};
    }
    // What the pointer does at a point with `held` held down, as the live
    // windows do: it looks pressed over the button, and acts when let go there.
    host::ui::ActionResult DragTo(Boss* held, host::paint::Point at, bool release) {
        const auto hit = host::paint::HitTest(Screen(), at);
        const bool over = hit.part == host::paint::Hit::Part::kButton && hit.widget == held;
        return host::ui::Perform(TheHost(), release ? UserAction::ButtonUp(held, over)
                                                    : UserAction::ButtonDrag(held, over));
    }
    int RowsPlaced() {
        std::istringstream lines(Run("print places\n"));
        int rows = 0;
        for (std::string line; std::getline(lines, line);)
            rows += line.rfind("place row ", 0) == 0;
        return rows;
    }
};

TEST_F(KeyboardAndPointerTest, List_ScrollsByKeysWheelAndCommand_KeepingTheCaretInView) {
    Open(14); // 15 rows: more than the panel shows
    Boss* list = List();
    const host::ui::ListScroll start = host::ui::ScrollOf(list);
    ASSERT_TRUE(start.overflows);
    ASSERT_EQ(start.rows, 15);
    ASSERT_LT(start.inView, 15);
    EXPECT_EQ(start.first, 0);
    const int placed = RowsPlaced(); // the rows in view, a partly shown one too
    EXPECT_GE(placed, start.inView);
    EXPECT_LE(placed, start.inView + 1);

    Run("focus list\nkey end\n");
    EXPECT_EQ(host::ui::ListSelected(list), std::set<int32>{14});
    EXPECT_EQ(host::ui::ScrollOf(list).first, 15 - start.inView);
    EXPECT_NE(Run("print places\n").find("place row \"14\""), std::string::npos);
    EXPECT_EQ(Run("print places\n").find("place row \"0\""), std::string::npos);
    Run("key home\n");
    EXPECT_EQ(host::ui::ListSelected(list), std::set<int32>{0});
    EXPECT_EQ(host::ui::ScrollOf(list).first, 0);

    // Down, then Shift extends from the anchor; Up with Shift shrinks back.
    Run("key down down shift+down shift+down shift+up\n");
    EXPECT_EQ(host::ui::ListSelected(list), (std::set<int32>{2, 3}));
    Run("key pagedown\n");
    EXPECT_EQ(host::ui::ListSelected(list), std::set<int32>{3 + start.inView - 1});
    Run("key ctrl+a\n");
    EXPECT_EQ(host::ui::ListSelected(list).size(), 15u);
    Run("key pageup pageup pageup up\n");
    EXPECT_EQ(host::ui::ListSelected(list), std::set<int32>{0});

    // The wheel and `scroll` move the rows in view, not the selection.
    Run("scroll by 3\n");
    EXPECT_EQ(host::ui::ScrollOf(list).first, 3);
    Run("scroll by 100\n");
    EXPECT_EQ(host::ui::ScrollOf(list).first, 15 - start.inView);
    Run("scroll #1\n");
    EXPECT_EQ(host::ui::ScrollOf(list).first, 1);
    Run("scroll #2\n"); // already in view: nothing moves
    EXPECT_EQ(host::ui::ScrollOf(list).first, 1);
    EXPECT_EQ(host::ui::ListSelected(list), std::set<int32>{0});
    // Scrolled away, the row has no place a click could reach.
    EXPECT_EQ(Run("print places\n").find("place row \"0\""), std::string::npos);

    // The wheel over the list, and a click on the track below the thumb.
    const auto screen = Screen();
    const auto hitList = host::paint::HitTest(screen, {310, 140});
    ASSERT_EQ(hitList.list, list);
    host::ui::Perform(TheHost(), *host::paint::WheelAt(screen, {310, 140}, -1));
    EXPECT_EQ(host::ui::ScrollOf(list).first, 0);
    const auto bar = host::paint::ScrollBarOf(
        list, host::paint::PanelPlaces(Screen().palettes.back(), Screen().palettes.back().groups[0])
                  .at(1)
                  .box);
    ASSERT_TRUE(bar);
    const host::paint::Point belowThumb{bar->track.x + 4, bar->track.Bottom() - 2};
    EXPECT_EQ(host::paint::HitTest(Screen(), belowThumb).part, host::paint::Hit::Part::kScrollBar);
    Run("click " + std::to_string(int(belowThumb.x)) + " " + std::to_string(int(belowThumb.y)) +
        "\n");
    EXPECT_EQ(host::ui::ScrollOf(list).first, std::min(start.inView - 1, 15 - start.inView));
}

TEST_F(KeyboardAndPointerTest, List_ThumbDraggedScrollsInProportion_TrackPages) {
    Open(24); // 25 rows
    Boss* list = List();
    const host::ui::ListScroll start = host::ui::ScrollOf(list);
    const int32 scrollable = start.rows - start.inView;
    ASSERT_GT(scrollable, 4);
    const auto bar = host::paint::ScrollBarOf(list, PlaceOf(list));
    ASSERT_TRUE(bar);
    const double travel = bar->track.height - bar->thumb.height;
    const double x = bar->thumb.x + bar->thumb.width / 2;
    const host::paint::Point grabbed{x, bar->thumb.y + 5};
    EXPECT_FALSE(host::paint::GrabThumb(Screen(), {x, bar->thumb.Bottom() + 2})); // the track
    const auto grab = host::paint::GrabThumb(Screen(), grabbed);
    ASSERT_TRUE(grab);
    EXPECT_EQ(grab->list, list);
    const auto dragTo = [&](double dy) {
        if (const auto action = host::paint::DragThumb(Screen(), *grab, {x, grabbed.y + dy}))
            host::ui::Perform(TheHost(), *action);
        return host::ui::ScrollOf(list).first;
    };
    EXPECT_EQ(dragTo(1), 0); // less than a row's share of the travel
    EXPECT_EQ(dragTo(travel / 2), (scrollable + 1) / 2);
    EXPECT_EQ(dragTo(travel), scrollable);
    EXPECT_EQ(dragTo(travel + 200), scrollable); // past the end: the last rows
    EXPECT_EQ(dragTo(-200), 0);                  // past the top: the first
    EXPECT_EQ(dragTo(travel / 4), std::lround(scrollable / 4.0));
    // The thumb follows: it is where the rows in view put it.
    const auto moved = host::paint::ScrollBarOf(list, PlaceOf(list));
    EXPECT_NEAR(moved->thumb.y - bar->thumb.y, travel / 4, travel / scrollable);

    // Clicks on the track above and below the thumb page by a view less a row.
    const int32 page = start.inView - 1;
    const int32 was = host::ui::ScrollOf(list).first;
    const auto click = [&](double y) {
        for (const auto& action : host::paint::PressActions(Screen(), {x, y}))
            host::ui::Perform(TheHost(), action);
        return host::ui::ScrollOf(list).first;
    };
    EXPECT_EQ(click(moved->track.Bottom() - 2), std::min(scrollable, was + page));
    EXPECT_EQ(click(moved->track.y + 1), std::max(0, std::min(scrollable, was + page) - page));
}

TEST_F(KeyboardAndPointerTest, List_FewRowsHaveNoScrollBar_AndEmptySpaceClearsTheSelection) {
    Open(1);
    Boss* list = List();
    EXPECT_FALSE(host::ui::ScrollOf(list).overflows);
    const auto screen = Screen();
    const auto& look = screen.palettes.back();
    const auto places = host::paint::PanelPlaces(look, look.groups[0]);
    host::paint::Rect listBox;
    for (const auto& place : places)
        if (place.widget == list)
            listBox = place.box;
    EXPECT_FALSE(host::paint::ScrollBarOf(list, listBox));
    Run("select #1\n");
    const host::paint::Point empty{listBox.x + 20, listBox.Bottom() - 6};
    EXPECT_EQ(host::paint::HitTest(Screen(), empty).part, host::paint::Hit::Part::kListSpace);
    Run("click " + std::to_string(int(empty.x)) + " " + std::to_string(int(empty.y)) + "\n");
    EXPECT_TRUE(host::ui::ListSelected(list).empty());
    EXPECT_EQ(host::ui::FocusOf(TheHost(), Opal()), list);
}

TEST_F(KeyboardAndPointerTest, Field_EditsAsAnEditBox) {
    Open(2);
    Run("select #1\nfocus field\n");
    // The focus selects all the field shows.
    EXPECT_EQ(Typed(), "100%");
    EXPECT_EQ(Selection(), (std::pair<size_t, size_t>{0, 4}));
    Type("4");
    EXPECT_EQ(Typed(), "4");
    Type("x"); // not part of a value: nothing changes
    EXPECT_EQ(Typed(), "4");
    Type("0");
    EXPECT_EQ(Typed(), "40");
    Press(Key::Code::kHome);
    Press(Key::Code::kRight, true);
    EXPECT_EQ(Selection(), (std::pair<size_t, size_t>{0, 1}));
    Type("c", true); // copy "4"
    Press(Key::Code::kEnd);
    Type("v", true); // paste after: "404"
    EXPECT_EQ(Typed(), "404");
    Press(Key::Code::kLeft, true);
    Press(Key::Code::kLeft, true);
    Press(Key::Code::kDelete);
    EXPECT_EQ(Typed(), "4");
    Type("1234567890"); // only as much as the field holds
    EXPECT_EQ(Typed().size(), host::ui::kFieldMaxChars);
    Press(Key::Code::kEscape); // back to the value, all selected
    EXPECT_EQ(Typed(), "100%");
    EXPECT_EQ(Selection(), (std::pair<size_t, size_t>{0, 4}));

    // Ctrl+A, 55, Enter: entered, and all selected for the next value.
    Run("key ctrl+a 5 5 enter\n");
    EXPECT_NE(Run("print list\n").find("row 1 \"P10\" 55% enabled selected"), std::string::npos);
    EXPECT_EQ(Typed(), "55%");
    EXPECT_EQ(Selection(), (std::pair<size_t, size_t>{0, 3}));
    EXPECT_EQ(host::ui::FocusOf(TheHost(), Opal()), Field());

    // A value out of range: the alert, then the typing stays, all selected.
    auto& alerts = TheHost().Get<host::ui::Alerts>();
    alerts.ClearLog();
    EXPECT_EQ(Press(Key::Code::kText), host::ui::ActionResult::kIgnored); // no text: nothing
    Type("5");
    EXPECT_EQ(Press(Key::Code::kEnter), host::ui::ActionResult::kRefused);
    ASSERT_EQ(alerts.Log().size(), 1u);
    EXPECT_EQ(Typed(), "5");
    EXPECT_EQ(Selection(), (std::pair<size_t, size_t>{0, 1}));
    EXPECT_EQ(host::ui::FocusOf(TheHost(), Opal()), Field());
    EXPECT_EQ(host::ui::TextOf(Field()), "55%");
}

TEST_F(KeyboardAndPointerTest, Field_PastesFromTheSystemClipboard_AndCopiesToIt) {
    if (!testing_support::PutOnSystemClipboard(u"62"))
        GTEST_SKIP() << "no system clipboard: the host keeps the text (Field_EditsAsAnEditBox)";
    Open(1);
    Run("select #1\nfocus field\n");
    Type("v", true); // over the whole value, selected by the focus
    EXPECT_EQ(Typed(), "62");
    // Another program's text, as much of it as a value is written with.
    ASSERT_TRUE(testing_support::PutOnSystemClipboard(u"x4\u00e95%"));
    Run("key ctrl+a\n");
    Type("v", true);
    EXPECT_EQ(Typed(), "45%");
    // A copy reaches other programs.
    Run("key home shift+right\n");
    Type("c", true);
    EXPECT_EQ(testing_support::SystemClipboardHolds(), u"4");
    Run("key enter\n");
    EXPECT_NE(Run("print list\n").find("row 1 \"P10\" 45% enabled selected"), std::string::npos);
}

TEST_F(KeyboardAndPointerTest, Focus_TabsInLayoutOrder_EnteringOrDroppingTheTyping) {
    Open(2);
    // Nothing selected: the field is disabled and Tab passes it by.
    Run("key tab\n");
    EXPECT_EQ(Run("print focus\n"), "focus list\n");
    Run("key tab tab\n");
    EXPECT_EQ(Run("print focus\n"), "focus onoff\n");
    Run("key tab\n");
    EXPECT_EQ(Run("print focus\n"), "focus list\n");
    Run("key shift+tab\n");
    EXPECT_EQ(Run("print focus\n"), "focus onoff\n");

    // Space on a focused button presses it.
    const bool on = OpacityOn();
    Run("key space\n");
    EXPECT_NE(OpacityOn(), on);

    // Tab enters what was typed; a refused value keeps the focus.
    Run("select #1\nfocus field\nkey 6 0 tab\n");
    EXPECT_NE(Run("print list\n").find("row 1 \"P10\" 60% enabled selected"), std::string::npos);
    EXPECT_EQ(Run("print focus\n"), "focus swap\n");
    Run("key shift+tab 2 tab\n");
    EXPECT_EQ(Run("print focus\n"), "focus field \"2\" caret 1 selection 0 1\n");
    // A click elsewhere drops the typing: the field shows its value again.
    Run("key 7 0\nfocus list\n");
    EXPECT_EQ(host::ui::TextOf(Field()), "60%");
    EXPECT_FALSE(host::ui::EditOf(Field())->active);

    // Escape and Enter answer the open dialog as its OK does.
    Run("menu About\n");
    ASSERT_EQ(TheHost().Get<host::ui::DialogManager>().OpenDialogs(), 1u);
    Run("key escape\n");
    EXPECT_EQ(TheHost().Get<host::ui::DialogManager>().OpenDialogs(), 0u);
}

TEST_F(KeyboardAndPointerTest, Buttons_LookPressedWhileHeldOverThem_ActOnReleaseThere_WithTips) {
    Open(1);
    Boss* onOff = Widget(kOpalOnOffButtonWidgetID);
    const bool on = OpacityOn();
    auto& host = TheHost();
    host::ui::Perform(host, UserAction::ButtonDown(onOff));
    EXPECT_TRUE(host::ui::RecordOf(onOff)->pressed);
    EXPECT_EQ(OpacityOn(), on); // not on the press
    EXPECT_EQ(host::ui::Perform(host, UserAction::ButtonUp(onOff, false)),
              host::ui::ActionResult::kIgnored); // moved off: cancelled
    EXPECT_FALSE(host::ui::RecordOf(onOff)->pressed);
    EXPECT_EQ(OpacityOn(), on);
    host::ui::Perform(host, UserAction::ButtonDown(onOff));
    host::ui::Perform(host, UserAction::ButtonUp(onOff, true));
    EXPECT_NE(OpacityOn(), on);
    // A release without a press does nothing.
    EXPECT_EQ(host::ui::Perform(host, UserAction::ButtonUp(onOff, true)),
              host::ui::ActionResult::kIgnored);

    // Held, it looks pressed only while the pointer is on it; let go off it,
    // it does nothing; brought back and let go, it acts.
    const host::paint::Rect box = PlaceOf(onOff);
    const host::paint::Point over{box.x + box.width / 2, box.y + box.height / 2};
    const host::paint::Point off{box.x - 30, box.y - 40};
    const bool before = OpacityOn();
    for (const auto& action : host::paint::PressActions(Screen(), over))
        host::ui::Perform(host, action);
    EXPECT_TRUE(host::ui::RecordOf(onOff)->pressed);
    EXPECT_EQ(DragTo(onOff, off, false), host::ui::ActionResult::kDone);
    EXPECT_FALSE(host::ui::RecordOf(onOff)->pressed);
    EXPECT_EQ(DragTo(onOff, off, false), host::ui::ActionResult::kIgnored); // still off
    EXPECT_EQ(DragTo(onOff, over, false), host::ui::ActionResult::kDone);
    EXPECT_TRUE(host::ui::RecordOf(onOff)->pressed);
    DragTo(onOff, off, false);
    EXPECT_EQ(DragTo(onOff, off, true), host::ui::ActionResult::kIgnored);
    EXPECT_EQ(OpacityOn(), before);
    // The pointer crossing it with no press held changes nothing.
    EXPECT_EQ(DragTo(onOff, over, false), host::ui::ActionResult::kIgnored);
    EXPECT_FALSE(host::ui::RecordOf(onOff)->pressed);
    for (const auto& action : host::paint::PressActions(Screen(), over))
        host::ui::Perform(host, action);
    DragTo(onOff, off, false);
    DragTo(onOff, over, false);
    EXPECT_EQ(DragTo(onOff, over, true), host::ui::ActionResult::kDone);
    EXPECT_NE(OpacityOn(), before);
    EXPECT_FALSE(host::ui::RecordOf(onOff)->pressed);

    EXPECT_EQ(host::ui::TipOf(host, onOff), "Turn opacity On / Off");
    EXPECT_FALSE(host::ui::TipOf(host, List()));
    Run("hover onoff\n");
    EXPECT_EQ(Run("print tips\n"), "tip swap \"Show All / Visible panels in Opal list\"\n"
                                   "tip onoff \"Turn opacity On / Off\" shown\n");
    Run("hover swap\n");
    EXPECT_FALSE(host::ui::RecordOf(onOff)->hovered);
    Run("hover none\n");
    EXPECT_EQ(Run("print tips\n").find("shown"), std::string::npos);
}

TEST_F(KeyboardAndPointerTest, Palettes_RaisedByAClick_HitTestFollows) {
    Open(1);
    Run("place Tools 280 90\n"); // under the Opal palette's title
    const host::paint::Point overlap{320, 110};
    EXPECT_EQ(host::paint::HitTest(Screen(), overlap).palette, "Opal");
    Run("click 285 95\n"); // Tools' title, where Opal does not cover it
    EXPECT_EQ(host::paint::HitTest(Screen(), overlap).palette, "Tools");
    EXPECT_EQ(Screen().palettes.back().area.name, "Tools");
    Run("click 500 300\n");
    EXPECT_EQ(host::paint::HitTest(Screen(), overlap).palette, "Opal");
    // The registry's order is the plug-in's and does not change.
    EXPECT_EQ(TheWorld().Palettes().front().name, "Tools");
}

TEST_F(KeyboardAndPointerTest, Tabs_ShareAShortStrip_TheFrontTabAlwaysShown) {
    Run("palette Wide at 40 300\n");
    for (int i = 0; i < 12; ++i)
        Run("panel \"Panel number " + std::to_string(i) + "\" in Wide\n");
    Run("front \"Panel number 11\"\n");
    const auto screen = Screen();
    const host::paint::PaletteLook* wide = nullptr;
    for (const auto& look : screen.palettes)
        if (look.area.name == "Wide")
            wide = &look;
    ASSERT_TRUE(wide);
    const auto& tabs = wide->groups[0].tabs;
    ASSERT_FALSE(tabs.empty());
    EXPECT_LT(tabs.size(), 12u);
    EXPECT_TRUE(tabs.back().front); // the front tab, last, is among those shown
    EXPECT_EQ(tabs.back().name, "Panel number 11");
    for (const auto& tab : tabs) {
        EXPECT_LE(tab.area.Right(), wide->menu.x) << tab.name; // none under the menu button
        EXPECT_NE(tab.label, tab.name);
        EXPECT_EQ(tab.label.substr(tab.label.size() - 3), "\xE2\x80\xA6");
    }
    // The tabs left out and the menu button are each where a click finds them.
    const auto hit = host::paint::HitTest(
        screen, {wide->area.left + wide->menu.x + 4.0, wide->area.top + wide->menu.y + 4.0});
    EXPECT_EQ(hit.part, host::paint::Hit::Part::kMenuButton);
}

} // namespace
