// Commands: every change of persistent data goes through one.
#pragma once

#include "IPMUnknown.h"
#include "PMString.h"
#include "UIDRef.h"

class ICommand : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ICOMMAND };
    enum CommandState { kNotDone = 0, kDone = 1, kUndone = 2 };
    enum Undoability { kRegularUndo = 0, kAutoUndo = 1 };

    // What the host calls, in this order, to run a command.
    virtual void SetUpTarget() = 0;
    virtual void Do() = 0;
    virtual void DoNotify() = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    // A new string the host owns.
    virtual PMString* CreateName() = 0;

    virtual int32 GetCommandState() const = 0;
    virtual void SetCommandState(int32 state) = 0;
    virtual int32 GetUndoability() const = 0;
    virtual void SetUndoability(int32 undoability) = 0;
    virtual int32 GetTarget() const = 0;
    virtual void SetTarget(int32 target) = 0;
    virtual const UIDList& GetItemList() const = 0;
    virtual void SetItemList(const UIDList& list) = 0;
};

namespace CmdUtils {
// A new command of that boss class with a reference the caller releases.
OPAL_SDK_API ICommand* CreateCommand(ClassID commandClass);
// Runs the command at once; kSuccess when it ran.
OPAL_SDK_API ErrorCode ExecuteCommand(ICommand* command);
// Queues the command; the host keeps its own reference and runs it when idle,
// higher priorities first, in order of scheduling within one priority.
OPAL_SDK_API ErrorCode ScheduleCommand(ICommand* command, int32 priority);
} // namespace CmdUtils
