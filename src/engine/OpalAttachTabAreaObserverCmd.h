// Attaches the tab-area observer to the tab areas of one palette window and
// re-applies the window's opacity when it attached one.
#pragma once

#include "Command.h"

class OpalAttachTabAreaObserverCmd : public Command {
public:
    explicit OpalAttachTabAreaObserverCmd(IPMUnknown* boss);
    ~OpalAttachTabAreaObserverCmd() override = default;

    void Do() override;
    PMString* CreateName() override;
    void SetUpTarget() override;
};
