// What a person does, found where the screen shows it and carried out one
// way: the hit test finds every kind of place in the layout that draws it
// (the topmost of overlapping windows), a click sends the host exactly what
// the command that names the same action sends, and an action the host
// cannot take is refused in words.
#include "ui/UserAction.h"
#include "HostRecorder.h"
#include "HostTestSupport.h"
#include "OpalID.h"
#include "paint/HitTest.h"
#include "script/ScriptRunner.h"
#include "ui/DialogManager.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"

#include <sstream>

namespace {

using host::paint::Hit;
using host::ui::UserAction;
using testing_support::HostRecorder;
using testing_support::HostSessionTest;
using Part = Hit::Part;

class UserActionTest : public HostSessionTest {
protected:
    void SetUp() override {
        HostSessionTest::SetUp();
        Run("palette Pages at 40 40\n"
            "panel Pages in Pages\n"
            "panel Layers in Pages\n"
            "palette Over at 100 45\n" // an empty palette over Pages' title
            "open opal\n"
            "place Opal 300 100\n");
    }
    void Run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out, err;
        host::ScriptContext context{*session, out, err};
        ASSERT_EQ(host::ScriptRunner().Run(in, context), 0) << err.str();
    }
    host::paint::ScreenLook Screen() {
        const auto measure = host::paint::NewScreenTextMeasure();
        return host::paint::LayOut(TheHost(), *measure);
    }
    const host::paint::PaletteLook& Palette(const host::paint::ScreenLook& screen,
                                            const std::string& name) {
        for (const auto& look : screen.palettes)
            if (look.area.name == name)
                return look;
        ADD_FAILURE() << "no palette " << name;
        return screen.palettes.front();
    }
    host::Boss* Opal() {
        auto& panels = TheHost().Get<host::ui::PluginPanels>();
        return panels.PanelWidget(*panels.FindByNameKey(kOpalPanelTitleKey));
    }
    host::Boss* OpalWidget(WidgetID id) { return host::ui::FindWidget(Opal(), id); }
    // The middle of a widget of the Opal panel, where the screen shows it.
    host::paint::Point At(const host::Boss* widget) {
        const auto screen = Screen();
        const auto& look = Palette(screen, "Opal");
        for (const auto& group : look.groups)
            for (const auto& place : host::paint::PanelPlaces(look, group))
                if (place.widget == widget)
                    return Middle(place.shown);
        ADD_FAILURE() << "the widget is not shown";
        return {};
    }
    static host::paint::Point Middle(const host::paint::Rect& r) {
        return {r.x + r.width / 2, r.y + r.height / 2};
    }
    static host::paint::Point OnScreen(const host::paint::PaletteLook& look,
                                       const host::paint::Rect& part) {
        return Middle(host::paint::OnScreen(look.area, part));
    }
    // What the command sent, then (after `undo`) what a click at `at` sent.
    // (A selection alone asks the host for nothing: its record is empty.)
    void ExpectClickSendsAsCommand(const std::string& command, const std::string& undo,
                                   const std::function<host::paint::Point()>& at,
                                   bool asksHost = true, const std::string& after = "") {
        HostRecorder recorder(TheHost());
        Run(command + after);
        const std::vector<std::string> byCommand = recorder.Requests();
        Run(undo);
        const host::paint::Point point = at();
        recorder.Clear();
        const auto action = host::paint::ActionAt(Screen(), point);
        ASSERT_TRUE(action) << command;
        host::ui::Perform(TheHost(), *action);
        TheHost().DrainCommands(); // as the runner does after each line
        Run(after);
        EXPECT_REQUESTS(recorder, byCommand) << command;
        EXPECT_EQ(byCommand.empty(), !asksHost) << command;
    }
};

TEST_F(UserActionTest, HitTest_FindsEachKindOfPlace_TopmostFirst) {
    const auto screen = Screen();
    const auto& pages = Palette(screen, "Pages");
    const auto& opal = Palette(screen, "Opal");

    // Pages' title under the palette Over: Over is on top.
    Hit hit = host::paint::HitTest(screen, {150, 50});
    EXPECT_EQ(hit.part, Part::kTitle);
    EXPECT_EQ(hit.palette, "Over");
    hit = host::paint::HitTest(screen, {60, 50});
    EXPECT_EQ(hit.part, Part::kTitle);
    EXPECT_EQ(hit.palette, "Pages");

    hit = host::paint::HitTest(screen, OnScreen(opal, opal.menu));
    EXPECT_EQ(hit.part, Part::kMenuButton);
    EXPECT_EQ(hit.panel, Opal());

    hit = host::paint::HitTest(screen, OnScreen(pages, pages.groups[0].tabs[0].area));
    EXPECT_EQ(hit.part, Part::kTab);
    EXPECT_EQ(hit.palette, "Pages");
    EXPECT_EQ(hit.panelID, PanelID("Pages"));

    host::Boss* list = OpalWidget(kOpalPanelListWidgetID);
    const std::vector<host::Boss*> rows = host::ui::ListRows(list);
    ASSERT_GE(rows.size(), 3u);
    hit = host::paint::HitTest(screen, At(rows[2]));
    EXPECT_EQ(hit.part, Part::kRow);
    EXPECT_EQ(hit.list, list);
    EXPECT_EQ(hit.row, 2);
    EXPECT_EQ(hit.widget, rows[2]);
    // The row's name lies over the row: the row is what a click selects.
    hit = host::paint::HitTest(screen, At(host::ui::FindWidget(rows[1], kOpalRowNameWidgetID)));
    EXPECT_EQ(hit.part, Part::kRow);
    EXPECT_EQ(hit.row, 1);

    hit = host::paint::HitTest(screen, At(OpalWidget(kOpalOpacitySliderWidgetID)));
    EXPECT_EQ(hit.part, Part::kField);
    EXPECT_EQ(hit.widget, OpalWidget(kOpalOpacitySliderWidgetID));
    hit = host::paint::HitTest(screen, At(OpalWidget(kOpalSwapContentButtonWidgetID)));
    EXPECT_EQ(hit.part, Part::kButton);
    EXPECT_EQ(hit.widget, OpalWidget(kOpalSwapContentButtonWidgetID));
    EXPECT_EQ(hit.palette, "Opal");
    EXPECT_EQ(hit.panel, Opal());

    const host::paint::Rect box = host::paint::OnScreen(opal.area, opal.groups[0].content);
    hit = host::paint::HitTest(screen, {box.Right() - 4, box.Bottom() - 4});
    EXPECT_EQ(hit.part, Part::kSizeBox);
    EXPECT_EQ(hit.panel, Opal());

    // A palette's frame, and the desk.
    EXPECT_EQ(host::paint::HitTest(screen, {40, 100}).part, Part::kPalette);
    EXPECT_EQ(host::paint::HitTest(screen, {10, 10}).part, Part::kNothing);
    EXPECT_FALSE(host::paint::ActionAt(screen, {10, 10}));

    // A dialog lies over the palettes.
    Run("menu About\n");
    const auto withDialog = Screen();
    ASSERT_EQ(withDialog.dialogs.size(), 1u);
    const auto& about = withDialog.dialogs[0];
    // The dialog's middle is over the Opal palette too.
    const host::paint::Point middle{about.area.left + about.area.width / 2.0,
                                    about.area.top + about.area.height / 2.0};
    ASSERT_EQ(host::paint::HitTest(screen, middle).palette, "Opal");
    hit = host::paint::HitTest(withDialog, middle);
    EXPECT_EQ(hit.part, Part::kDialog);
    EXPECT_EQ(hit.dialog, about.view.root);
    for (const auto& place : host::paint::DialogPlaces(about))
        if (host::paint::HostKind(place.widget) == kOKButtonWidgetBoss) {
            hit = host::paint::HitTest(withDialog, Middle(place.shown));
            EXPECT_EQ(hit.part, Part::kDialogButton);
            EXPECT_EQ(hit.widget, place.widget);
            const auto action = host::paint::ActionAt(withDialog, Middle(place.shown));
            ASSERT_TRUE(action);
            // Pressing OK closes the dialog and frees its widgets: the loop ends here.
            host::ui::Perform(TheHost(), *action);
            break;
        }
    EXPECT_EQ(TheHost().Get<host::ui::DialogManager>().OpenDialogs(), 0u);
}

TEST_F(UserActionTest, Click_SendsWhatTheCommandSends) {
    // Tabs of different opacities: bringing one to the front changes the window.
    StoreOpacity("Pages", 40);
    StoreOpacity("Layers", 80);
    host::Boss* list = OpalWidget(kOpalPanelListWidgetID);
    Run("select #0\n");
    ExpectClickSendsAsCommand(
        "select #2\n", "select #0\n", [&] { return At(host::ui::ListRows(list)[2]); }, false);
    EXPECT_EQ(host::ui::ListSelected(list), std::set<int32>{2});
    ExpectClickSendsAsCommand("press onoff\n", "press onoff\n",
                              [&] { return At(OpalWidget(kOpalOnOffButtonWidgetID)); });
    // The plug-in looks at the tabs on its timer's tick (and attaches its
    // observer to the tab area the first time).
    Run("front Pages\ntick\nfront Layers\ntick\n");
    ExpectClickSendsAsCommand(
        "front Pages\n", "front Layers\ntick\n",
        [&] {
            const auto screen = Screen();
            const auto& pages = Palette(screen, "Pages");
            return OnScreen(pages, pages.groups[0].tabs[0].area);
        },
        true, "tick\n");
    EXPECT_TRUE(TheWorld().FindPanel("Pages")->front);
}

TEST_F(UserActionTest, DoubleClickAndDrags_DoAsTheirCommands) {
    host::Boss* list = OpalWidget(kOpalPanelListWidgetID);
    const auto rows = host::ui::ListRows(list);
    const auto point = At(rows[0]);
    const auto action = host::paint::DoubleClickAt(Screen(), point);
    ASSERT_TRUE(action);
    EXPECT_EQ(action->kind, UserAction::Kind::kDoubleClick);
    EXPECT_EQ(action->row, 0);

    host::ui::Perform(TheHost(), UserAction::Place("Pages", 70, 80));
    EXPECT_EQ(TheWorld().FindPalette("Pages")->position.x, 70);
    EXPECT_EQ(TheWorld().FindPalette("Pages")->position.y, 80);
    host::ui::Perform(TheHost(), UserAction::Resize(Opal(), 307, 239));
    EXPECT_EQ(host::ui::ViewOf(Opal())->GetFrame().Width(), 307);

    EXPECT_EQ(host::ui::Perform(TheHost(),
                                UserAction::Type(OpalWidget(kOpalOpacitySliderWidgetID), "40")),
              host::ui::ActionResult::kIgnored); // no row selected: the field is disabled
}

TEST_F(UserActionTest, ActionsTheHostCannotTake_AreRefusedInWords) {
    const auto refused = [&](const UserAction& action, const std::string& words) {
        try {
            host::ui::Perform(TheHost(), action);
            ADD_FAILURE() << "taken: " << words;
        } catch (const host::ui::UserActionError& e) {
            EXPECT_EQ(std::string(e.what()), words);
        }
    };
    refused(UserAction::PressDialogButton(nullptr), "no dialog is open");
    refused(UserAction::Front(987654), "no panel with ID 987654");
    refused(UserAction::Place("Nowhere", 1, 2), "no palette named \"Nowhere\"");
    refused(UserAction::DoubleClick(OpalWidget(kOpalPanelListWidgetID), 99), "no row #99");
    refused(UserAction::ChooseMenu(Opal(), {"No such entry"}),
            "the menu has no entry \"No such entry\"");
    refused(UserAction::Press(nullptr), "no button");
}

} // namespace
