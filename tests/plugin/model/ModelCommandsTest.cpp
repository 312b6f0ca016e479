// The four model commands, run the way their callers run them: create,
// set the arguments, execute, release.
#include "DataInterfaces.h"
#include "FaultSweep.h"
#include "ICommand.h"
#include "InterfacePtr.h"
#include "ModelTestSupport.h"

#include <functional>

using host::Host;
using testing_support::ModelTest;
using testing_support::RefSnapshot;

namespace {

class ModelCommandsTest : public ModelTest {
protected:
    // A careful caller: any object it cannot get ends its work.
    static void Run(ClassID commandClass, const std::function<bool(ICommand&)>& setArguments,
                    int32 state = ICommand::kNotDone) {
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(commandClass));
        if (!command)
            return;
        command->SetCommandState(state);
        if (!setArguments(*command))
            return;
        CmdUtils::ExecuteCommand(command.get());
    }
    template <class T, class V> static bool Set(ICommand& command, PMIID iid, V value) {
        InterfacePtr<T> data(&command, iid);
        if (!data)
            return false;
        data->Set(value);
        return true;
    }
    static void AddAlpha(int32 panelID, int32 state = ICommand::kNotDone) {
        Run(
            kOpalAddAlphaCmdBoss,
            [&](ICommand& c) { return Set<IIntData>(c, kOpalPanelIDDataIID, panelID); }, state);
    }
    static void SetAlpha(int32 row, int32 index, double opacity, int32 state = ICommand::kNotDone) {
        Run(
            kOpalSetAlphaCmdBoss,
            [&](ICommand& c) {
                return Set<IIntData>(c, kOpalListRowDataIID, row) &&
                       Set<IIntData>(c, kOpalEntryIndexDataIID, index) &&
                       Set<IRealNumberData>(c, kOpalAlphaValueDataIID, opacity);
            },
            state);
    }
    static void SetOnOff(bool16 on, int32 state = ICommand::kNotDone) {
        Run(
            kOpalSetOnOffAlphaCmdBoss,
            [&](ICommand& c) { return Set<IBoolData>(c, IID_IBOOLDATA, on); }, state);
    }
    static void SetIgnoreClosed(bool16 ignore, int32 state = ICommand::kNotDone) {
        Run(
            kOpalSetIgnoreClosedPanelsCmdBoss,
            [&](ICommand& c) { return Set<IBoolData>(c, IID_IBOOLDATA, ignore); }, state);
    }

    // Runs `operation` under every failing acquisition in turn; `check` is
    // told after each run whether the failure happened.
    void UnderEveryFailure(const std::function<void()>& operation,
                           const std::function<void(bool failed, int64 k)>& check) {
        testing_support::FaultSweep sweep{"model command"};
        sweep.prepare = [this] { TheHost().ClearDirtyLog(); };
        sweep.check = check;
        testing_support::SweepFaults(TheHost(), sweep, operation);
    }
};

TEST_F(ModelCommandsTest, EachCommand_NamesItselfUntranslatedTargetsZeroKeepsDefaultUndoability) {
    for (ClassID boss : {kOpalAddAlphaCmdBoss, kOpalSetAlphaCmdBoss, kOpalSetOnOffAlphaCmdBoss,
                         kOpalSetIgnoreClosedPanelsCmdBoss}) {
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(boss));
        ASSERT_TRUE(command);
        std::unique_ptr<PMString> name(command->CreateName());
        EXPECT_EQ(name->GetTranslationStatus(), PMString::kNoTranslate);
    }
    AddAlpha(1);
    SetAlpha(-1, 0, 50.0);
    SetOnOff(kFalse);
    SetIgnoreClosed(kTrue);
    const auto& log = TheHost().CommandLog();
    ASSERT_EQ(log.size(), 4u);
    const std::pair<ClassID, const char*> expected[] = {
        {kOpalAddAlphaCmdBoss, "Pair Alpha to Panel"},
        {kOpalSetAlphaCmdBoss, "Set alpha"},
        {kOpalSetOnOffAlphaCmdBoss, "Set on off alpha"},
        {kOpalSetIgnoreClosedPanelsCmdBoss, "Set ignore closed panels"}};
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].classID, expected[i].first);
        EXPECT_EQ(log[i].name, expected[i].second);
        EXPECT_EQ(log[i].target, 0);
        EXPECT_EQ(log[i].undoability, ICommand::kRegularUndo);
        EXPECT_TRUE(log[i].ran);
    }
}

TEST_F(ModelCommandsTest, Commands_ChangeTheModelAndLeaveItCleanWhenTheValueIsUnchanged) {
    TheHost().ClearDirtyLog();
    AddAlpha(5);
    AddAlpha(5);
    SetAlpha(-1, 0, 37.9);
    SetAlpha(-1, 0, 37.9);
    EXPECT_EQ(AlphaData().CountEntries(), 1);
    EXPECT_EQ(AlphaData().GetAlphaForPanel(5), 37.9);
    EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), 2);

    SetOnOff(kTrue);
    SetIgnoreClosed(kFalse);
    EXPECT_EQ(DirtyCount(kOpalOptionsIID), 0);
    SetOnOff(kFalse);
    SetOnOff(kFalse);
    SetIgnoreClosed(kTrue);
    SetIgnoreClosed(kTrue);
    EXPECT_EQ(Options().GetOnOffAlpha(), kFalse);
    EXPECT_EQ(Options().GetIgnoreClosedPanels(), kTrue);
    EXPECT_EQ(DirtyCount(kOpalOptionsIID), 2);
}

TEST_F(ModelCommandsTest, CommandNoLongerInStateZero_ChangesNothing) {
    AlphaData().AddPanel(5);
    TheHost().ClearDirtyLog();
    for (int32 state : {ICommand::kDone, ICommand::kUndone}) {
        AddAlpha(6, state);
        SetAlpha(-1, 0, 20.0, state);
        SetOnOff(kFalse, state);
        SetIgnoreClosed(kTrue, state);
    }
    EXPECT_EQ(AlphaData().CountEntries(), 1);
    EXPECT_EQ(AlphaData().GetAlphaForPanel(5), 100.0);
    EXPECT_EQ(Options().GetOnOffAlpha(), kTrue);
    EXPECT_EQ(Options().GetIgnoreClosedPanels(), kFalse);
    EXPECT_TRUE(TheHost().DirtyLog().empty());
}

TEST_F(ModelCommandsTest, SetAlphaWithoutTheOpalPanel_ChangesTheStoredValueOnly) {
    AlphaData().AddPanel(3);
    AlphaData().AddPanel(4);
    TheHost().ClearDirtyLog();
    TheHost().ClearCommandLog();
    const RefSnapshot before = RefSnapshot::Take(TheHost());
    SetAlpha(1, 1, 60.0);
    EXPECT_REFS_UNCHANGED(before);
    EXPECT_EQ(AlphaData().GetAlphaForPanel(3), 100.0);
    EXPECT_EQ(AlphaData().GetAlphaForPanel(4), 60.0);
    EXPECT_EQ(TheHost().DirtyLog().size(), 1u);
    EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), 1);
    EXPECT_EQ(TheHost().CommandLog().size(), 1u) << "nothing else was run or scheduled";
    EXPECT_EQ(TheHost().QueuedCommands(), 0u);
}

TEST_F(ModelCommandsTest, EveryFailingAcquisition_LeavesNoReferenceAndAWholeOrNoChange) {
    // Each check: the model holds the old or the new value, and was marked
    // changed exactly when it changed. The last run (no failure) changes it.
    int32 panelID = 100;
    UnderEveryFailure([&] { AddAlpha(panelID); },
                      [&](bool failed, int64 k) {
                          const int32 count = AlphaData().CountEntries();
                          const bool added =
                              count > 0 && AlphaData().GetEntryAt(count - 1).panelID == panelID;
                          EXPECT_TRUE(added || failed) << k;
                          if (added) {
                              EXPECT_EQ(AlphaData().GetEntryAt(count - 1).alpha, 100.0) << k;
                          }
                          EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), added ? 1 : 0) << k;
                          ++panelID;
                      });

    const int32 entries = AlphaData().CountEntries();
    UnderEveryFailure([&] { SetAlpha(0, 0, 42.5); },
                      [&](bool failed, int64 k) {
                          const double opacity = AlphaData().GetEntryAt(0).alpha;
                          EXPECT_TRUE(opacity == 100.0 || opacity == 42.5) << k;
                          EXPECT_TRUE(opacity == 42.5 || failed) << k;
                          EXPECT_EQ(DirtyCount(kOpalAlphaDataIID), opacity == 42.5 ? 1 : 0) << k;
                          EXPECT_EQ(AlphaData().CountEntries(), entries) << k;
                          AlphaData().SetAlphaAt(0, 100.0);
                      });

    UnderEveryFailure([&] { SetOnOff(kFalse); },
                      [&](bool failed, int64 k) {
                          const bool changed = Options().GetOnOffAlpha() == kFalse;
                          EXPECT_TRUE(changed || failed) << k;
                          EXPECT_EQ(DirtyCount(kOpalOptionsIID), changed ? 1 : 0) << k;
                          Options().SetOnOffAlpha(kTrue);
                      });

    UnderEveryFailure([&] { SetIgnoreClosed(kTrue); },
                      [&](bool failed, int64 k) {
                          const bool changed = Options().GetIgnoreClosedPanels() == kTrue;
                          EXPECT_TRUE(changed || failed) << k;
                          EXPECT_EQ(DirtyCount(kOpalOptionsIID), changed ? 1 : 0) << k;
                          Options().SetIgnoreClosedPanels(kFalse);
                      });
}

} // namespace
