// A command that stores one of the user switches of IOpalOptions from its
// IBoolData; each switch's command names the setter and its own name.
#pragma once

#include "Command.h"
#include "model/IOpalOptions.h"

class OpalSetOptionCmd : public Command {
public:
    using Setter = void (IOpalOptions::*)(bool16);

    void Do() override;
    PMString* CreateName() override;
    void SetUpTarget() override;

protected:
    OpalSetOptionCmd(IPMUnknown* boss, Setter setter, const char* name)
        : Command(boss), fSetter(setter), fName(name) {}

private:
    Setter fSetter;
    const char* fName;
};
