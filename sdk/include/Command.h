// Base of command implementations: keeps state, undoability, target and item
// list; a command overrides Do, CreateName and SetUpTarget.
#pragma once

#include "CPMUnknown.h"
#include "ICommand.h"

class Command : public CPMUnknown<ICommand> {
public:
    explicit Command(IPMUnknown* boss) : CPMUnknown<ICommand>(boss), fItemList(nullptr) {}

    void SetUpTarget() override {}
    void DoNotify() override {}
    void Undo() override {}
    void Redo() override { Do(); }
    PMString* CreateName() override { return new PMString("Command", PMString::kNoTranslate); }

    int32 GetCommandState() const override { return fState; }
    void SetCommandState(int32 state) override { fState = state; }
    int32 GetUndoability() const override { return fUndoability; }
    void SetUndoability(int32 undoability) override { fUndoability = undoability; }
    int32 GetTarget() const override { return fTarget; }
    void SetTarget(int32 target) override { fTarget = target; }
    const UIDList& GetItemList() const override { return fItemList; }
    void SetItemList(const UIDList& list) override { fItemList = list; }

private:
    int32 fState = kNotDone;
    int32 fUndoability = kRegularUndo;
    int32 fTarget = -1; // none until SetUpTarget chooses one
    UIDList fItemList;
};
