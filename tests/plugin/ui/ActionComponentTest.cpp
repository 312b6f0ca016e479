// The action component and the About dialog as the host drives them: the
// toggles' wording, what each action changes, the pages it opens, the dialog
// it leaves open, and every acquisition failing in turn.
#include "FaultSweep.h"
#include "HostTestSupport.h"
#include "IActionComponent.h"
#include "IDialog.h"
#include "ISession.h"
#include "InterfacePtr.h"
#include "OSWindows.h"
#include "OpalID.h"
#include "core/Text.h"
#include "model/IOpalOptions.h"
#include "resources/Resources.h"
#include "ui/ActionManager.h"
#include "ui/DialogManager.h"
#include "ui/Widgets.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using testing_support::HostSessionTest;
using testing_support::RefSnapshot;

// A list as the host hands it over: every entry disabled and named "host".
class TestStateList : public IActionStateList {
public:
    explicit TestStateList(std::vector<ActionID> actions) {
        for (ActionID a : actions)
            entries.push_back({a, kDisabled, PMString("host", PMString::kNoTranslate)});
    }
    int32 Length() const override { return static_cast<int32>(entries.size()); }
    ActionID GetNthAction(int32 i) const override { return entries.at(size_t(i)).action; }
    void SetNthActionState(int32 i, int16 state) override { entries.at(size_t(i)).state = state; }
    void SetNthActionName(int32 i, const PMString& name) override {
        entries.at(size_t(i)).name = name;
    }
    std::string NameOf(size_t i) const {
        PMString name = entries.at(i).name;
        name.Translate();
        return name.GetUTF8String();
    }
    struct Entry {
        ActionID action;
        int16 state;
        PMString name;
    };
    std::vector<Entry> entries;
};

class ActiveContext : public IActiveContext {};

struct ShellCall {
    std::string verb, file;
    int show;
};

class ActionComponentTest : public HostSessionTest {
protected:
    void SetUp() override {
        HostSessionTest::SetUp();
        shell = TheHost().shellExecute.Subscribe([this](const host::ShellExecuteRequest& e) {
            shellCalls.push_back({e.verb, e.file, e.show});
        });
    }
    void TearDown() override {
        shell.Reset();
        HostSessionTest::TearDown();
    }
    host::Subscription shell;

    InterfacePtr<IActionComponent> Component() {
        return InterfacePtr<IActionComponent>(static_cast<IActionComponent*>(
            CreateObject(kOpalActionComponentBoss, IID_IACTIONCOMPONENT)));
    }
    void SetOptions(bool on, bool ignoreClosed) {
        InterfacePtr<IOpalOptions> options(QueryWorkspace<IOpalOptions>(kOpalOptionsIID));
        options->SetOnOffAlpha(on);
        options->SetIgnoreClosedPanels(ignoreClosed);
    }
    std::pair<bool, bool> Options() {
        InterfacePtr<IOpalOptions> options(QueryWorkspace<IOpalOptions>(kOpalOptionsIID));
        return {options->GetOnOffAlpha() != 0, options->GetIgnoreClosedPanels() != 0};
    }
    void Do(ActionID action) {
        ActiveContext context;
        Component()->DoAction(&context, action, GSysPoint(), nullptr);
        TheHost().DrainCommands();
    }

    std::vector<ShellCall> shellCalls;
};

TEST_F(ActionComponentTest, TogglesSayWhatChoosingThemWouldDo) {
    const std::map<std::pair<bool, bool>, std::pair<std::string, std::string>> expected = {
        {{true, false}, {"Show only visible panels in the list", "Turn opacity Off"}},
        {{true, true}, {"Show all panels in the list", "Turn opacity Off"}},
        {{false, false}, {"Show only visible panels in the list", "Turn opacity On"}},
        {{false, true}, {"Show all panels in the list", "Turn opacity On"}},
    };
    for (const auto& [options, names] : expected) {
        SetOptions(options.first, options.second);
        TestStateList list({kOpalAboutActionID, kOpalShowPanelsActionID, kOpalTurnAlphaActionID});
        ActiveContext context;
        Component()->UpdateActionStates(&context, &list, GSysPoint(), nullptr);
        for (const auto& e : list.entries)
            EXPECT_EQ(e.state, kEnabledAction);
        EXPECT_EQ(list.NameOf(0), "host") << "About keeps the host's name";
        EXPECT_EQ(list.NameOf(1), names.first);
        EXPECT_EQ(list.NameOf(2), names.second);
    }
}

TEST_F(ActionComponentTest, PointerToggle_SaysWhatItWouldDo_AndFlipsOnlyItsOption) {
    const auto name = [&] {
        TestStateList list({kOpalOpaqueUnderPointerActionID});
        ActiveContext context;
        Component()->UpdateActionStates(&context, &list, GSysPoint(), nullptr);
        EXPECT_EQ(list.entries.at(0).state, kEnabledAction);
        return list.NameOf(0);
    };
    EXPECT_EQ(name(), "Make panels opaque under the pointer");
    Do(kOpalOpaqueUnderPointerActionID);
    EXPECT_EQ(name(), "Keep panels translucent under the pointer");
    EXPECT_EQ(Options(), std::make_pair(true, false));
    Do(kOpalOpaqueUnderPointerActionID);
    EXPECT_EQ(name(), "Make panels opaque under the pointer");
}

TEST_F(ActionComponentTest, ListsWithoutTogglesOrWithoutContext) {
    ActiveContext context;
    TestStateList others({kOpalAboutActionID, kOpalSupportActionID, 0x1234});
    Component()->UpdateActionStates(&context, &others, GSysPoint(), nullptr);
    for (size_t i = 0; i < others.entries.size(); ++i) {
        EXPECT_EQ(others.entries[i].state, kEnabledAction);
        EXPECT_EQ(others.NameOf(i), "host");
    }
    TestStateList untouched({kOpalShowPanelsActionID, kOpalTurnAlphaActionID});
    Component()->UpdateActionStates(nullptr, &untouched, GSysPoint(), nullptr);
    for (size_t i = 0; i < untouched.entries.size(); ++i) {
        EXPECT_EQ(untouched.entries[i].state, kDisabled);
        EXPECT_EQ(untouched.NameOf(i), "host");
    }
}

TEST_F(ActionComponentTest, OpacityToggleChangesOnlyTheOpacityOption) {
    for (bool ignoreClosed : {false, true}) {
        SetOptions(true, ignoreClosed);
        Do(kOpalTurnAlphaActionID);
        EXPECT_EQ(Options(), std::make_pair(false, ignoreClosed));
        Do(kOpalTurnAlphaActionID);
        EXPECT_EQ(Options(), std::make_pair(true, ignoreClosed));
    }
    EXPECT_TRUE(shellCalls.empty());
    EXPECT_EQ(TheHost().Get<host::ui::DialogManager>().OpenDialogs(), 0u);
}

TEST_F(ActionComponentTest, ListModeBeforeThePanelWasEverOpenedChangesNothing) {
    for (auto options : {std::make_pair(true, false), std::make_pair(false, true)}) {
        SetOptions(options.first, options.second);
        TheHost().ClearCommandLog();
        const RefSnapshot before = RefSnapshot::Take(TheHost());
        // As the host runs a shortcut: ask, then do.
        TheHost().Get<host::ui::ActionManager>().PressShortcut(kOpalShowPanelsActionID);
        TheHost().DrainCommands();
        EXPECT_EQ(Options(), options);
        EXPECT_TRUE(TheHost().CommandLog().empty());
        EXPECT_REFS_UNCHANGED(before);
    }
}

TEST_F(ActionComponentTest, PagesOpenMaximisedAtTheirExactAddresses) {
    Do(kOpalSuggestNewFeatureActionID);
    Do(kOpalSendFeedbackActionID);
    Do(kOpalSupportActionID);
    Do(kOpalFeedbackAndSupportActionID); // the sub-menu itself opens nothing
    ASSERT_EQ(shellCalls.size(), 3u);
    EXPECT_EQ(shellCalls[0].file,
              "http://www.quillmark.example/contact.asp?type=feature&product=opln");
    EXPECT_EQ(shellCalls[1].file,
              "http://www.quillmark.example/contacts.asp?type=feedback&product=opln");
    EXPECT_EQ(shellCalls[2].file, "http://www.quillmark.example/support.asp?product=opln");
    for (const ShellCall& call : shellCalls) {
        EXPECT_EQ(call.verb, "open");
        EXPECT_EQ(call.show, SW_SHOWMAXIMIZED);
    }
}

TEST_F(ActionComponentTest, PagesShareTheHostOfThePluginsAddress) {
    const auto url = TheHost().TranslateKey(u"" kOpalURLKey);
    ASSERT_TRUE(url);
    const std::string site = "http://www.quillmark.example/";
    EXPECT_EQ(host::UTF16ToUTF8(*url).rfind(site, 0), 0u);
}

TEST_F(ActionComponentTest, AboutReturnsWithTheDialogOpenAndOKClosesIt) {
    auto& dialogs = TheHost().Get<host::ui::DialogManager>();
    const RefSnapshot before = RefSnapshot::Take(TheHost());
    struct Waiter : host::ui::DialogWaiter {
        bool waited = false;
        void WaitFor(host::Boss*) override { waited = true; }
    } person;
    const host::Subscription waiting = dialogs.waiter.Provide(person);
    const bool& waited = person.waited;
    for (int time = 1; time <= 2; ++time) {
        Do(kOpalAboutActionID);
        ASSERT_EQ(dialogs.OpenDialogs(), size_t(time)) << "opening number " << time;
        EXPECT_EQ(dialogs.FrontDialog()->Class(), kOpalAboutDialogBoss);
        auto* dialog = dialogs.FrontDialog()->PeekAs<IDialog>(IID_IDIALOG);
        EXPECT_TRUE(dialog->IsOpen());
    }
    EXPECT_FALSE(waited) << "About must not wait for its dialog";
    EXPECT_TRUE(dialogs.PressOK());
    EXPECT_TRUE(dialogs.PressOK());
    EXPECT_FALSE(dialogs.PressOK());
    EXPECT_REFS_UNCHANGED(before);
}

TEST_F(ActionComponentTest, EveryFailureOfEveryActionReleasesAll) {
    auto& dialogs = TheHost().Get<host::ui::DialogManager>();
    for (ActionID action :
         {kOpalShowPanelsActionID, kOpalTurnAlphaActionID, kOpalAboutActionID,
          kOpalSuggestNewFeatureActionID, kOpalSendFeedbackActionID, kOpalSupportActionID}) {
        InterfacePtr<IActionComponent> component = Component();
        testing_support::SweepFaults(TheHost(), {"action 0x" + std::to_string(action)}, [&] {
            ActiveContext context;
            component->DoAction(&context, action, GSysPoint(), nullptr);
            TheHost().DrainCommands();
            // A dialog that did open is closed, so the counts can match again.
            while (dialogs.PressOK()) {
            }
        });
    }
    InterfacePtr<IActionComponent> component = Component();
    testing_support::SweepFaults(TheHost(), {"action states"}, [&] {
        TestStateList list({kOpalShowPanelsActionID, kOpalTurnAlphaActionID, kOpalAboutActionID});
        ActiveContext context;
        component->UpdateActionStates(&context, &list, GSysPoint(), nullptr);
    });
}

// Every implementation of the list the plug-in declares is registered once.
class RecordingRegistrar : public IImplementationRegistrar {
public:
    IPMUnknown* QueryInterface(PMIID) const override { return nullptr; }
    void AddRef() const override {}
    void Release() const override {}
    void RegisterImplementation(int32, ImplementationID id, ImplCreateFn, ImplDestroyFn, ImplSizeFn,
                                ImplReadWriteFn, uint32) override {
        ++registered[id];
    }
    std::map<ImplementationID, int> registered;
};

class RecordingSession : public ISession {
public:
    IPMUnknown* QueryInterface(PMIID iid) const override {
        return iid == IID_IREGISTRAR ? &registrar : nullptr;
    }
    void AddRef() const override {}
    void Release() const override {}
    IWorkspace* QueryWorkspace() const override { return nullptr; }
    IApplication* QueryApplication() const override { return nullptr; }
    mutable RecordingRegistrar registrar;
};

TEST_F(ActionComponentTest, EveryImplementationOfTheListIsRegisteredOnce_NoneIsAbsent) {
    const auto& plugin = *TheHost().Plugins().front();
    const auto list = host::DecodeImplementationList(
        *plugin.resources.Find(kImplementationListRsrcType, kOpalImplementationListRsrcID));
    ASSERT_TRUE(list);
    RecordingSession recording;
    plugin.plugin->Register(0, &recording);
    plugin.plugin->Load(TheHost().SessionBoss()->PeekAs<ISession>(IID_ISESSION));
    for (const auto& [id, times] : recording.registrar.registered) {
        EXPECT_EQ(times, 1) << "implementation 0x" << std::hex << id;
        EXPECT_EQ(std::count(list->begin(), list->end(), id), 1) << "0x" << std::hex << id;
    }
    for (ImplementationID id : *list)
        EXPECT_EQ(recording.registrar.registered[id], 1) << "0x" << std::hex << id;
    EXPECT_EQ(recording.registrar.registered.size(), list->size());
    // Every pair of the class table, the host's stock ones included, has its
    // implementation: print classes marks nothing absent.
    EXPECT_EQ(TheHost().Model().MissingImplementations(), std::vector<ImplementationID>{});
}

} // namespace
