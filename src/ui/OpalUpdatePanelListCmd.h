// Brings the Opal panel's list in step with the host's panels after they
// were shown, hidden or created. Does nothing while the panel does not exist.
#pragma once

#include "Command.h"

class OpalUpdatePanelListCmd : public Command {
public:
    explicit OpalUpdatePanelListCmd(IPMUnknown* boss);
    ~OpalUpdatePanelListCmd() override = default;

    void Do() override;
    PMString* CreateName() override;
    void SetUpTarget() override;
};
