// The host's menus, shortcuts and dialogs with the plug-in's definitions:
// the panel menu as the definitions order it, the entries and shortcuts the
// host refuses, the About dialog built from its layout, and what the menu
// commands print and refuse.
#include "HostTestSupport.h"
#include "IDialog.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "ResourceTypes.h"
#include "RsrcSpec.h"
#include "UiTestSupport.h"
#include "script/ScriptRunner.h"
#include "ui/ActionManager.h"
#include "ui/DialogManager.h"

#include "ui/Widgets.h"
#include "world/World.h"
#include <optional>

#include <sstream>

namespace {

using host::Host;
using namespace host::ui;
using testing_support::HostSessionTest;
using testing_support::RefSnapshot;

// One line per entry: "TEXT", "-" or "TEXT >", sub-entries indented, "!" for disabled.
void Flatten(const std::vector<MenuItem>& items, const std::string& indent,
             std::vector<std::string>& lines) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::kSeparator) {
            lines.push_back(indent + "-");
        } else if (item.kind == MenuItem::kSubMenu) {
            lines.push_back(indent + item.text + " >");
            Flatten(item.items, indent + "  ", lines);
        } else {
            lines.push_back(indent + item.text + (item.enabled ? "" : " !"));
        }
    }
}

class MenusTest : public HostSessionTest {
protected:
    std::vector<std::string> Menu() {
        std::vector<std::string> lines;
        Flatten(TheHost().Get<ActionManager>().ShowMenu(kOpalPanelPopupMenuNameKey), "", lines);
        return lines;
    }
    ActionManager& Actions() { return TheHost().Get<ActionManager>(); }
    DialogManager& Dialogs() { return TheHost().Get<DialogManager>(); }
};

TEST_F(MenusTest, PanelMenuFollowsPositionsNotFileOrder) {
    EXPECT_EQ(Menu(), (std::vector<std::string>{
                          "Show only visible panels in the list", "Turn opacity Off",
                          "Make panels opaque under the pointer", "-", "Feedback And Support >",
                          "  Suggest New Feature", "  Send Feedback", "  Support", "-", "About"}));
    // Another menu's name finds nothing of the panel's.
    EXPECT_TRUE(Actions().ShowMenu(kOpalPanelTitleKey).empty());
}

TEST_F(MenusTest, ShowingTheMenuAsksForTheStatesWithoutLeaking) {
    const RefSnapshot before = RefSnapshot::Take(TheHost());
    Actions().ChooseMenuEntry(kOpalPanelPopupMenuNameKey, {"Turn opacity Off"});
    TheHost().DrainCommands();
    EXPECT_EQ(Menu().at(1), "Turn opacity On");
    Actions().PressShortcut(kOpalTurnAlphaActionID);
    TheHost().DrainCommands();
    EXPECT_EQ(Menu().at(1), "Turn opacity Off");
    EXPECT_REFS_UNCHANGED(before);
}

TEST_F(MenusTest, EntriesAndShortcutsTheHostRefuses) {
    const auto refused = [&](std::vector<std::string> path) {
        try {
            Actions().ChooseMenuEntry(kOpalPanelPopupMenuNameKey, path);
        } catch (const ActionError&) {
            return true;
        }
        return false;
    };
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused({"Send Feedback"})) << "only inside its sub-menu";
    EXPECT_TRUE(refused({"Feedback And Support"})) << "a sub-menu is no entry";
    EXPECT_TRUE(refused({"About", "More"}));
    EXPECT_TRUE(refused({"Feedback And Support", "Nothing"}));
    EXPECT_TRUE(refused({"-"}));
    // The sub-menu's own action is not offered; neither is an unknown one.
    EXPECT_THROW(Actions().PressShortcut(kOpalFeedbackAndSupportActionID), ActionError);
    EXPECT_THROW(Actions().PressShortcut(0x1234), ActionError);
    EXPECT_EQ(Dialogs().OpenDialogs(), 0u);

    std::vector<ActionID> offered;
    for (const auto& def : Actions().ShortcutActions()) {
        offered.push_back(def.action);
        EXPECT_EQ(def.area, "KBSCE Other");
    }
    EXPECT_EQ(offered, (std::vector<ActionID>{
                           kOpalShowPanelsActionID, kOpalTurnAlphaActionID,
                           kOpalOpaqueUnderPointerActionID, kOpalSuggestNewFeatureActionID,
                           kOpalSendFeedbackActionID, kOpalSupportActionID, kOpalAboutActionID}));
}

// The About dialog: each widget in layout order with its frame.
std::vector<std::string> Describe(const host::Boss* widget) {
    std::vector<std::string> lines;
    const PMRect f = ViewOf(widget)->GetFrame();
    std::ostringstream line;
    line << std::hex << widget->Class() << std::dec << " \"" << TextOf(widget) << "\" " << f.Left()
         << " " << f.Top() << " " << f.Right() << " " << f.Bottom();
    if (ViewOf(widget)->GetRsrcID())
        line << " picture " << ViewOf(widget)->GetRsrcID();
    lines.push_back(line.str());
    for (const host::Boss* child : ChildrenOf(widget))
        for (const std::string& l : Describe(child))
            lines.push_back(l);
    return lines;
}

TEST_F(MenusTest, AboutDialogIsBuiltFromItsLayoutInEveryLanguage) {
    for (uint16 language : {1, 42}) {
        TheHost().SetLanguage(language);
        Actions().DoAction(kOpalAboutActionID);
        ASSERT_NE(Dialogs().FrontDialog(), nullptr);
        EXPECT_EQ(Describe(Dialogs().FrontDialog()),
                  (std::vector<std::string>{
                      "c9264 \"About Opal\" 0 0 410 160",
                      "607 \"OK\" 315 125 395 145",
                      "681 \"Opal for Adobe InDesign/InCopy\" 15 15 300 31",
                      "681 \"Version 1.1.0, Windows edition\" 15 33 300 49",
                      "681 \"Build date: 05/03/06\" 15 52 300 66",
                      "60b \"http://www.quillmark.example/opal\" 15 110 280 126",
                      "604 \"\" 15 128 282 130",
                      "60b \"Copyright 2006-2026 Quillmark. All rights reserved.\" 15 132 280 148",
                      "60e \"\" 282 15 395 68 picture 4000",
                  }));
        EXPECT_TRUE(Dialogs().PressOK());
    }
    TheHost().SetLanguage(1);
}

TEST_F(MenusTest, DialogsOpenTwiceCloseInTurnAndReleaseAll) {
    const RefSnapshot before = RefSnapshot::Take(TheHost());
    std::vector<std::string> told;
    host::Subscription listening =
        Dialogs().events.Subscribe([&told](const host::ui::DialogEvent& e) {
            told.push_back(e.kind == host::ui::DialogEvent::kOpened ? "open " + e.title : "closed");
        });
    Actions().DoAction(kOpalAboutActionID);
    host::Boss* first = Dialogs().FrontDialog();
    Actions().DoAction(kOpalAboutActionID);
    ASSERT_EQ(Dialogs().OpenDialogs(), 2u);
    EXPECT_NE(Dialogs().FrontDialog(), first) << "each opening has a dialog of its own";
    EXPECT_TRUE(Dialogs().PressOK());
    EXPECT_EQ(Dialogs().FrontDialog(), first);
    EXPECT_TRUE(Dialogs().PressOK());
    EXPECT_FALSE(Dialogs().PressOK());
    listening.Reset();
    EXPECT_EQ(told,
              (std::vector<std::string>{"open About Opal", "open About Opal", "closed", "closed"}));
    EXPECT_REFS_UNCHANGED(before);
}

TEST_F(MenusTest, DialogManagerRefusesWhatIsNoDialog) {
    host::Boss* app = TheHost().ApplicationBoss();
    InterfacePtr<IDialogMgr> manager(static_cast<IDialogMgr*>(app->QueryInternal(IID_IDIALOGMGR)));
    ASSERT_TRUE(manager);
    const RefSnapshot before = RefSnapshot::Take(TheHost());
    const int32 modality = 1;
    for (const RsrcSpec& spec : {
             RsrcSpec(1, kOpalPluginID, kLayoutRsrcType, kOpalPanelRsrcID),       // a panel
             RsrcSpec(1, kOpalPluginID, kLayoutRsrcType, 999),                    // nothing
             RsrcSpec(1, kOpalPluginID, kLayoutRsrcType, kOpalAboutLayoutRsrcID), // no index
             RsrcSpec(1, kOpalPluginID, kStringTableRsrcType,
                      kOpalAboutDialogRsrcID),                                       // not a layout
             RsrcSpec(1, kOpalPluginID + 1, kLayoutRsrcType, kOpalAboutDialogRsrcID) // no plug-in
         })
        EXPECT_EQ(manager->CreateNewDialog(spec, modality, 1, 1), nullptr) << spec.GetID();
    // Unlocalized, the layout's own ID reaches it.
    InterfacePtr<IDialog> dialog(manager->CreateNewDialog(
        RsrcSpec(1, kOpalPluginID, kLayoutRsrcType, kOpalAboutLayoutRsrcID, kFalse), modality, 1,
        1));
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->IsOpen());
    dialog.reset();
    EXPECT_REFS_UNCHANGED(before);
}

TEST_F(MenusTest, EndingTheSessionClosesOpenDialogs) {
    Actions().DoAction(kOpalAboutActionID);
    ASSERT_EQ(Dialogs().OpenDialogs(), 1u);
    session->Stop(false);
    EXPECT_EQ(Dialogs().OpenDialogs(), 0u);
    for (const host::LiveObject& live : TheHost().Model().LiveObjects())
        EXPECT_NE(live.classID, kOpalAboutDialogBoss);
}

// ---- The commands ----------------------------------------------------------------------

using testing_support::RunScript;
using testing_support::ScriptResult;

TEST(MenuCommandsTest, MenuNeedsTheShownPanel_ShortcutsDoNot) {
    for (const char* script : {"menu\n", "menu About\n", "open opal\nclose opal\nmenu\n"}) {
        const ScriptResult r = RunScript(script);
        EXPECT_EQ(r.status, 2) << script;
        EXPECT_NE(r.err.find("the Opal panel is not shown"), std::string::npos) << r.err;
    }
    const ScriptResult r = RunScript("shortcut 0xc9265\nprint data\nopen opal\nclose opal\n"
                                     "shortcut 0xc9265\nprint data\n");
    EXPECT_EQ(r.status, 0) << r.err;
    // Opening the panel stored its only host panel, the Opal panel itself.
    EXPECT_EQ(r.out, "options on-off=0 ignore-closed=0 reserved=0\n"
                     "options on-off=1 ignore-closed=0 reserved=0\n"
                     "entry 0 panel 1 alpha 100\n");
}

TEST(MenuCommandsTest, PrintsDialogsAndPagesAsTheyHappen) {
    const ScriptResult r = RunScript("print dialog\nopen opal\nmenu About\nprint dialog\npress ok\n"
                                     "print dialog\nshortcut 0xc927a\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "dialog none\n"
                     "dialog \"About Opal\"\n"
                     "dialog \"About Opal\" 0 0 410 160\n"
                     "button \"OK\" 315 125 395 145\n"
                     "text \"Opal for Adobe InDesign/InCopy\" 15 15 300 31\n"
                     "text \"Version 1.1.0, Windows edition\" 15 33 300 49\n"
                     "text \"Build date: 05/03/06\" 15 52 300 66\n"
                     "text \"http://www.quillmark.example/opal\" 15 110 280 126\n"
                     "line 15 128 282 130\n"
                     "text \"Copyright 2006-2026 Quillmark. All rights reserved.\" 15 132 280 "
                     "148\n"
                     "picture 4000 113x53 282 15 395 68\n"
                     "dialog closed\n"
                     "dialog none\n"
                     "browse \"http://www.quillmark.example/support.asp?product=opln\"\n");
    for (const char* bad : {"press ok\n", "shortcut 0xc9269\n", "shortcut nine\n",
                            "open opal\nmenu Nothing\n", "print dialog now\n"})
        EXPECT_EQ(RunScript(bad).status, 2) << bad;
}

} // namespace
