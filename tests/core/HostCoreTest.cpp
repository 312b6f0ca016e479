// The stand-in host's own machinery: strings and their translation, the
// command queue, subjects and timers.
#include "Command.h"
#include "HostTestSupport.h"
#include "ISubject.h"
#include "ITimer.h"
#include "InterfacePtr.h"
#include "OpalID.h"

using host::Host;
using testing_support::HostSessionTest;

TEST_F(HostSessionTest, PMString_TranslatesKeysInEveryLanguageToEnglish) {
    for (uint16 language : {1, 4, 5, 6, 13, 14, 0x409}) {
        TheHost().SetLanguage(language);
        PMString title(kOpalPanelTitleKey);
        title.Translate();
        EXPECT_EQ(title.GetUTF8String(), "Opal") << "language " << language;
    }
    TheHost().SetLanguage(1);
    // The panel menu's name is a key without text: it stays as it is.
    PMString menu(kOpalPanelPopupMenuNameKey);
    menu.Translate();
    EXPECT_EQ(menu.GetUTF8String(), kOpalPanelPopupMenuNameKey);
    // A string that is never translated keeps its key.
    PMString literal(kOpalPanelTitleKey, PMString::kNoTranslate);
    literal.Translate();
    EXPECT_EQ(literal.GetUTF8String(), kOpalPanelTitleKey);
}

TEST(PMStringTest, NumbersTextAndComparison) {
    PMString s;
    s.AppendNumber(-37);
    s.Append("%");
    EXPECT_EQ(s.GetUTF8String(), "-37%");
    int32 error = -1, pos = -1;
    EXPECT_DOUBLE_EQ(PMString("60%").GetAsDouble(&error, &pos), 60.0);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(pos, 2);
    EXPECT_DOUBLE_EQ(PMString("abc").GetAsDouble(&error), 0.0);
    EXPECT_EQ(error, 1);
    // Windows-1252 text survives the round trip through UTF-16.
    PMString accented("Caf\xe9 \x80");
    EXPECT_EQ(accented.GetUTF8String(), "Caf\xc3\xa9 \xe2\x82\xac");
    EXPECT_STREQ(accented.GrabCString(), "Caf\xe9 \x80");
    EXPECT_EQ(accented.WCharLength(), 6);
    EXPECT_EQ(accented.GetChar(5).GetAsOneByteChar(), '\x80');
    EXPECT_EQ(accented.GetChar(99).GetValue(), 0);
    EXPECT_TRUE(PMString("Layers") > PMString("Align"));
    EXPECT_FALSE(PMString("Align") > PMString("Align"));
}

namespace {

// Records what it sees; on the model's own workspace it needs no class of its own.
class RecordingObserver : public IObserver {
public:
    IPMUnknown* QueryInterface(PMIID) const override { return nullptr; }
    void AddRef() const override {}
    void Release() const override {}
    void Update(const ClassID& change, ISubject*, const PMIID& protocol, void* changedBy) override {
        seen.push_back({change, protocol, changedBy});
    }
    void AutoAttach() override {}
    void AutoDetach() override {}
    void SetAttachIID(PMIID) override {}
    PMIID GetAttachIID() const override { return 0; }
    void SetEnabled(bool16) override {}
    bool16 IsEnabled() const override { return kTrue; }
    struct Seen {
        ClassID change;
        PMIID protocol;
        void* changedBy;
    };
    std::vector<Seen> seen;
};

} // namespace

TEST_F(HostSessionTest, Subject_AttachesOncePerProtocolAndIID) {
    auto* subject = TheHost().ApplicationBoss()->PeekAs<ISubject>(IID_ISUBJECT);
    RecordingObserver observer;
    subject->AttachObserver(&observer, 0x777, 0x888);
    subject->AttachObserver(&observer, 0x777, 0x888);
    EXPECT_TRUE(subject->IsAttached(&observer, 0x777, 0x888));
    EXPECT_FALSE(subject->IsAttached(&observer, 0x777, 0x889));
    int origin = 0;
    subject->Change(0x42, 0x777, &origin);
    subject->Change(0x43, 0x776, nullptr); // another protocol: not seen
    ASSERT_EQ(observer.seen.size(), 1u);
    EXPECT_EQ(observer.seen[0].change, 0x42u);
    EXPECT_EQ(observer.seen[0].changedBy, &origin);
    subject->DetachObserver(&observer, 0x777, 0x888);
    EXPECT_FALSE(subject->IsAttached(&observer, 0x777, 0x888));
    subject->Change(0x42, 0x777, nullptr);
    EXPECT_EQ(observer.seen.size(), 1u);
}

TEST_F(HostSessionTest, CommandQueue_RunsHigherPriorityFirstThenInOrder) {
    std::vector<std::string> lines;
    TheHost().trace = [&](const std::string& line) { lines.push_back(line); };
    TheHost().DrainCommands();
    lines.clear();
    for (int32 priority : {0, 1, 0, 1}) {
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalUpdatePanelListCmdBoss));
        ASSERT_TRUE(command);
        command->SetTarget(priority * 10 + static_cast<int32>(lines.size()));
        CmdUtils::ScheduleCommand(command.get(), priority);
    }
    const auto before = testing_support::RefSnapshot::Take();
    TheHost().ClearCommandLog();
    TheHost().DrainCommands();
    TheHost().trace = nullptr;
    const auto& log = TheHost().CommandLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].priority, 1);
    EXPECT_EQ(log[1].priority, 1);
    EXPECT_EQ(log[2].priority, 0);
    EXPECT_EQ(log[3].priority, 0);
    EXPECT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].rfind("scheduled \"", 0), 0u);
    EXPECT_EQ(lines[4].rfind("run \"", 0), 0u);
    EXPECT_EQ(TheHost().QueuedCommands(), 0u);
    (void)before;
    for (const host::LiveObject& live : TheHost().Model().LiveObjects())
        EXPECT_EQ(live.refCount, 1) << std::hex << live.classID;
}

TEST_F(HostSessionTest, Command_WhoseStateIsNotZero_IsRecordedAsNotRun) {
    InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalUpdatePanelListCmdBoss));
    ASSERT_TRUE(command);
    command->SetCommandState(ICommand::kDone);
    TheHost().ClearCommandLog();
    EXPECT_NE(CmdUtils::ExecuteCommand(command.get()), kSuccess);
    ASSERT_EQ(TheHost().CommandLog().size(), 1u);
    EXPECT_FALSE(TheHost().CommandLog()[0].ran);
}

TEST_F(HostSessionTest, Timer_FiresOncePerArming) {
    InterfacePtr<ITimer> timer(static_cast<ITimer*>(CreateObject(kTimerBoss, IID_ITIMER)));
    ASSERT_TRUE(timer);
    static int fired;
    fired = 0;
    timer->Start([](void*) -> int32 { return ++fired, 0; }, 500, nullptr);
    const int64 start = TheHost().Now();
    // Other timers (the plug-in's) may be armed too: fire until ours has run.
    while (fired == 0 && TheHost().FireNextTimer()) {
    }
    EXPECT_EQ(fired, 1);
    EXPECT_GE(TheHost().Now(), start + 500);
    timer->Stop();
}
