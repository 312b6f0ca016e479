// Tells the user once per selection that greyed (closed or stashed) panels
// get their opacity only when they become active.
#pragma once

#include "Command.h"

class OpalShowAlertCmd : public Command {
public:
    explicit OpalShowAlertCmd(IPMUnknown* boss);
    ~OpalShowAlertCmd() override;

    void Do() override;
    PMString* CreateName() override;
    void SetUpTarget() override;
};
