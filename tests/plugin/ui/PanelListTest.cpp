// The list refresh while the Opal panel is absent.
#include "EngineTestSupport.h"
#include "ICommand.h"
#include "InterfacePtr.h"
#include "OpalID.h"

using testing_support::EngineTest;
using testing_support::RefSnapshot;

TEST_F(EngineTest, UpdatePanelList_WithoutTheOpalPanel_DoesNothing) {
    const RefSnapshot before = RefSnapshot::Take(TheHost());
    TheHost().ClearDirtyLog();
    InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalUpdatePanelListCmdBoss));
    ASSERT_TRUE(command);
    EXPECT_EQ(CmdUtils::ExecuteCommand(command.get()), kSuccess);
    command.reset();
    EXPECT_REFS_UNCHANGED(before);
    EXPECT_TRUE(TheHost().DirtyLog().empty());
    ASSERT_FALSE(TheHost().CommandLog().empty());
    const host::CommandRecord& record = TheHost().CommandLog().back();
    EXPECT_EQ(record.name, "Opal update panel listbox");
    EXPECT_EQ(record.target, 0);
    EXPECT_EQ(record.undoability, 1);
}
