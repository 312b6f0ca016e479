// Menu and shortcut actions: the host asks an action component to carry out
// an action and, before it shows a menu or runs a shortcut whose enabling
// needs asking, for the states and names of the actions.
#pragma once

#include "CPMUnknown.h"
#include "PMString.h"
#include "PMTypes.h"

class IControlView;

// What the user is working in when an action is asked for; only its presence
// matters to the components here.
class IActiveContext {
public:
    virtual ~IActiveContext() = default;
};

// Action states the host asks for.
enum ActionState : int16 {
    kDisabled = 0,
    kEnabledAction = 1,
};

// The actions whose states the host asks for, in its order.
class IActionStateList {
public:
    virtual ~IActionStateList() = default;
    virtual int32 Length() const = 0;
    virtual ActionID GetNthAction(int32 index) const = 0;
    virtual void SetNthActionState(int32 index, int16 state) = 0;
    // The entry's name in the menu; a key is translated when shown.
    virtual void SetNthActionName(int32 index, const PMString& name) = 0;
};

class IActionComponent : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IACTIONCOMPONENT };
    virtual void UpdateActionStates(IActiveContext* context, IActionStateList* list,
                                    GSysPoint mousePoint, IControlView* widget) = 0;
    virtual void UpdateActionStates(IActionStateList* list) = 0;
    virtual void DoAction(IActiveContext* context, ActionID actionID, GSysPoint mousePoint,
                          IControlView* widget) = 0;
    virtual void DoAction(ActionID actionID) = 0;
};

// Base of action components: the short forms pass no context.
class CActionComponent : public CPMUnknown<IActionComponent> {
public:
    explicit CActionComponent(IPMUnknown* boss) : CPMUnknown<IActionComponent>(boss) {}
    void UpdateActionStates(IActiveContext* /*context*/, IActionStateList* /*list*/,
                            GSysPoint /*mousePoint*/, IControlView* /*widget*/) override {}
    void UpdateActionStates(IActionStateList* list) override {
        UpdateActionStates(nullptr, list, GSysPoint(), nullptr);
    }
    void DoAction(IActiveContext* /*context*/, ActionID /*actionID*/, GSysPoint /*mousePoint*/,
                  IControlView* /*widget*/) override {}
    void DoAction(ActionID actionID) override { DoAction(nullptr, actionID, GSysPoint(), nullptr); }
};
