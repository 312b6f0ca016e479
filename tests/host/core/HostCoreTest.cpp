// The stand-in host's own machinery: strings and their translation, the
// command queue, subjects and timers.
#include "Command.h"
#include "HostTestSupport.h"
#include "ISubject.h"
#include "ITimer.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "RecordingObserver.h"

#include <algorithm>
#include <map>
#include <new>
#include <random>
#include <set>
#include <tuple>

using host::Host;
using testing_support::HostSessionTest;
using testing_support::RecordingObserver;

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

TEST_F(HostSessionTest, Subject_AttachesOncePerProtocolAndIID) {
    auto* subject = TheHost().ApplicationBoss()->PeekAs<ISubject>(IID_ISUBJECT);
    RecordingObserver observer(TheHost().Model());
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
    host::Subscription tracing = TheHost().traceLines.Subscribe(
        [&](const host::TraceLine& line) { lines.push_back(line.text); });
    TheHost().DrainCommands();
    lines.clear();
    for (int32 priority : {0, 1, 0, 1}) {
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalUpdatePanelListCmdBoss));
        ASSERT_TRUE(command);
        command->SetTarget(priority * 10 + static_cast<int32>(lines.size()));
        CmdUtils::ScheduleCommand(command.get(), priority);
    }
    const auto before = testing_support::RefSnapshot::Take(TheHost());
    TheHost().ClearCommandLog();
    TheHost().DrainCommands();
    tracing.Reset();
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

TEST_F(HostSessionTest, CommandQueue_ManyCommands_RunByPriorityThenFirstScheduledFirst) {
    TheHost().DrainCommands();
    // Each command by the order it was scheduled in; a command lives while queued.
    std::map<const IPMUnknown*, int32> order;
    std::vector<std::pair<int64, int32>> ran; // priority, order
    host::Subscription recording = TheHost().requests.Subscribe([&](const host::HostRequest& r) {
        if (r.kind == host::HostRequest::kScheduleCommand)
            order[r.object] = static_cast<int32>(order.size() + ran.size());
        else if (r.kind == host::HostRequest::kRunCommand)
            ran.emplace_back(r.value, order.at(r.object));
    });
    std::mt19937 random(7);
    const int32 priorities[] = {0, 1, 2, 5, -3};
    std::vector<std::pair<int64, int32>> expected;
    constexpr int32 kBatch = 50;
    for (int32 i = 0; i < 6 * kBatch; ++i) {
        const int32 priority = priorities[random() % 5];
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalUpdatePanelListCmdBoss));
        ASSERT_TRUE(command);
        CmdUtils::ScheduleCommand(command.get(), priority);
        expected.emplace_back(priority, i);
        if (i % kBatch == kBatch - 1) {
            // Idle now and then, as the host is.
            TheHost().DrainCommands();
            order.clear();
        }
    }
    recording.Reset();
    for (size_t batch = 0; batch < expected.size(); batch += kBatch)
        std::stable_sort(expected.begin() + static_cast<std::ptrdiff_t>(batch),
                         expected.begin() + static_cast<std::ptrdiff_t>(batch + kBatch),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
    EXPECT_EQ(ran, expected);
}

namespace {

// A command that, when run, notes its number and schedules the commands its
// plan gives it, so that the queue grows while it drains.
struct ChainPlan {
    std::vector<std::vector<std::pair<int32, int32>>> children; // per number: number, priority
    std::vector<int32> ran;
};
ChainPlan* gChainPlan = nullptr;

constexpr ImplementationID kChainCmdImpl = 0x7fff0001;
constexpr ClassID kChainCmdBoss = 0x7fff0002;

class ChainCmd : public Command {
public:
    using Command::Command;
    int32 number = 0;

    static void Schedule(int32 number, int32 priority) {
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kChainCmdBoss));
        ASSERT_TRUE(command);
        static_cast<ChainCmd*>(command.get())->number = number;
        CmdUtils::ScheduleCommand(command.get(), priority);
    }
    void Do() override {
        gChainPlan->ran.push_back(number);
        for (const auto& [child, priority] : gChainPlan->children[static_cast<size_t>(number)])
            Schedule(child, priority);
    }
};

} // namespace

TEST_F(HostSessionTest, CommandQueue_CommandsScheduledWhileDraining_RunByPriorityThenInOrder) {
    TheHost().DrainCommands();
    host::ObjectModel& model = TheHost().Model();
    model.RegisterImpl({kChainCmdImpl, &ImplementationFunctions<ChainCmd>::Create,
                        &ImplementationFunctions<ChainCmd>::Destroy,
                        &ImplementationFunctions<ChainCmd>::Size, nullptr, 0, "chain"});
    model.DefineClass(kChainCmdBoss, 0, {{IID_ICOMMAND, kChainCmdImpl}}, "chain");

    // Most commands at priority 0, whose run never empties for long, the
    // others over many priorities that come and go.
    ChainPlan plan;
    gChainPlan = &plan;
    std::mt19937 random(11);
    constexpr int32 kRoots = 100, kCommands = 4000;
    auto priority = [&random] { return random() % 2 ? 0 : static_cast<int32>(random() % 41) - 20; };
    std::vector<std::pair<int32, int32>> roots;
    for (int32 n = 0; n < kRoots; ++n)
        roots.emplace_back(n, priority());
    plan.children.resize(kCommands);
    for (int32 n = kRoots; n < kCommands; ++n)
        plan.children[random() % static_cast<uint32>(n)].emplace_back(n, priority());

    // What a queue ordered by priority, then by scheduling, runs.
    std::vector<int32> expected;
    {
        std::set<std::tuple<int32, int64, int32>> queue; // -priority, sequence, number
        int64 sequence = 0;
        for (const auto& [n, p] : roots)
            queue.emplace(-p, sequence++, n);
        while (!queue.empty()) {
            const int32 n = std::get<2>(*queue.begin());
            queue.erase(queue.begin());
            expected.push_back(n);
            for (const auto& [child, p] : plan.children[static_cast<size_t>(n)])
                queue.emplace(-p, sequence++, child);
        }
    }

    for (const auto& [n, p] : roots)
        ChainCmd::Schedule(n, p);
    TheHost().DrainCommands();
    EXPECT_EQ(plan.ran, expected);
    EXPECT_EQ(TheHost().QueuedCommands(), 0u);
    gChainPlan = nullptr;
    model.RemoveOrigin("chain");
}

TEST_F(HostSessionTest, CommandLog_IsKeptOnlyWhileAskedForAndThenOnlyTheLatest) {
    // The state tells the commands apart in the record.
    auto run = [](int32 number) {
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalUpdatePanelListCmdBoss));
        command->SetUndoability(number);
        CmdUtils::ExecuteCommand(command.get());
    };
    TheHost().KeepCommandLog(0);
    for (int32 i = 0; i < 10; ++i)
        run(i);
    EXPECT_TRUE(TheHost().CommandLog().empty()) << "nobody reads it";
    TheHost().KeepCommandLog(3);
    for (int32 i = 0; i < 5; ++i)
        run(i);
    ASSERT_EQ(TheHost().CommandLog().size(), 3u);
    EXPECT_EQ(TheHost().CommandLog().front().undoability, 2);
    EXPECT_EQ(TheHost().CommandLog().back().undoability, 4);
    EXPECT_FALSE(TheHost().CommandLog().back().name.empty());
    TheHost().KeepCommandLog(1);
    EXPECT_EQ(TheHost().CommandLog().size(), 1u);
    TheHost().KeepCommandLog(0);
    EXPECT_TRUE(TheHost().CommandLog().empty());
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
    // The live host fires a timer when the real clock reaches its deadline.
    const int64 due = TheHost().NextTimerDeadline();
    EXPECT_GE(due, start);
    EXPECT_LE(due, start + 500);
    // Other timers (the plug-in's) may be armed too: fire until ours has run.
    while (fired == 0 && TheHost().FireNextTimer()) {
    }
    EXPECT_EQ(fired, 1);
    EXPECT_GE(TheHost().Now(), start + 500);
    timer->Stop();
}

namespace {

struct Part : IPMUnknown {
    IPMUnknown* QueryInterface(PMIID) const override { return nullptr; }
    void AddRef() const override {}
    void Release() const override {}
};

host::ImplRecord PartRecord(ImplementationID id) {
    return {id,
            [](void* storage, IPMUnknown*) -> IPMUnknown* { return new (storage) Part; },
            [](IPMUnknown* object) { static_cast<Part*>(object)->~Part(); },
            [] { return sizeof(Part); },
            nullptr,
            0,
            "host"};
}

std::vector<ImplementationID> ImplsOf(host::ObjectModel& model, ClassID id) {
    host::Boss* boss = model.CreateBoss(id);
    std::vector<ImplementationID> impls;
    for (const host::Boss::Part& part : boss->Parts())
        impls.push_back(part.impl);
    boss->Release();
    return impls;
}

} // namespace

TEST(ObjectModelTest, ObjectsOfAClass_FollowItsPairsAsModulesAddAndTakeThemAway) {
    host::ObjectModel model;
    for (ImplementationID id : {0x10, 0x11, 0x12, 0x13})
        model.RegisterImpl(PartRecord(id));
    model.DefineClass(0x100, 0, {{1, 0x10}, {2, 0x11}}, "host");
    model.DefineClass(0x200, 0x100, {{2, 0x12}}, "host");
    using Impls = std::vector<ImplementationID>;
    EXPECT_EQ(ImplsOf(model, 0x200), (Impls{0x10, 0x12}));
    EXPECT_EQ(ImplsOf(model, 0x200), (Impls{0x10, 0x12})) << "made again the same way";

    model.AddIns(0x100, {{3, 0x13}}, "module.pln");
    EXPECT_EQ(ImplsOf(model, 0x200), (Impls{0x10, 0x12, 0x13})) << "the parent's add-in";
    model.DefineClass(0x300, 0x200, {{1, 0x11}}, "module.pln");
    EXPECT_EQ(ImplsOf(model, 0x300), (Impls{0x11, 0x12, 0x13}));

    model.RemoveOrigin("module.pln");
    EXPECT_EQ(ImplsOf(model, 0x200), (Impls{0x10, 0x12}));
    EXPECT_EQ(model.CreateBoss(0x300), nullptr);
    model.DefineClass(0x200, 0x100, {{4, 0x13}}, "host");
    EXPECT_EQ(ImplsOf(model, 0x200), (Impls{0x10, 0x11, 0x13})) << "a class defined anew";
}

TEST(ObjectModelTest, ImplementationRegisteredLate_IsPartOfTheNextObjects) {
    host::ObjectModel model;
    model.RegisterImpl(PartRecord(0x10));
    model.DefineClass(0x100, 0, {{1, 0x10}, {2, 0x11}}, "host");
    using Impls = std::vector<ImplementationID>;
    EXPECT_EQ(ImplsOf(model, 0x100), (Impls{0x10})) << "an unregistered one is absent";
    model.RegisterImpl(PartRecord(0x11));
    EXPECT_EQ(ImplsOf(model, 0x100), (Impls{0x10, 0x11}));
}

TEST(ObjectModelTest, ThousandsOfObjects_EachInterfaceKnowsItsBossUntilTheBossGoes) {
    host::ObjectModel model;
    for (ImplementationID id : {0x10, 0x11, 0x12})
        model.RegisterImpl(PartRecord(id));
    model.DefineClass(0x100, 0, {{1, 0x10}, {2, 0x11}, {3, 0x12}}, "host");
    host::Database db(model);
    std::vector<host::Boss*> bosses;
    std::map<UID, host::Boss*> byUID;
    for (int i = 0; i < 3000; ++i) {
        host::Boss* boss = model.CreateBoss(0x100);
        boss->AddRef();
        byUID[db.Add(boss)] = boss;
        bosses.push_back(boss);
    }
    // Taken down in a scrambled order, so that every kind of neighbour goes first.
    std::shuffle(bosses.begin(), bosses.end(), std::mt19937(7));
    for (size_t i = 0; i < bosses.size(); ++i) {
        if (i % 500 == 0) {
            for (size_t j = i; j < bosses.size(); ++j) {
                ASSERT_EQ(model.BossOf(bosses[j]), bosses[j]);
                for (const host::Boss::Part& part : bosses[j]->Parts())
                    ASSERT_EQ(model.BossOf(part.object), bosses[j]);
            }
            for (const auto& [uid, boss] : byUID)
                ASSERT_EQ(db.Find(uid), boss);
            ASSERT_EQ(model.LiveObjects().size(), bosses.size() - i);
        }
        host::Boss* boss = bosses[i];
        const IPMUnknown* part = boss->Parts()[1].object;
        const UID uid = boss->GetUID();
        byUID.erase(uid);
        db.Remove(uid);
        EXPECT_EQ(db.Find(uid), nullptr);
        EXPECT_EQ(model.BossOf(part), boss) << "still held by the test";
        boss->Release();
        EXPECT_EQ(model.BossOf(part), nullptr);
    }
    EXPECT_TRUE(model.LiveObjects().empty());
}
