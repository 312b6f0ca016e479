// Sets one palette window's opacity from the stored values of the panels it
// holds. Callers never run it themselves: SchedulePaletteAlpha queues it.
#pragma once

#include "Command.h"

class OpalSetPaletteAlphaCmd : public Command {
public:
    explicit OpalSetPaletteAlphaCmd(IPMUnknown* boss);
    ~OpalSetPaletteAlphaCmd() override = default;

    void Do() override;
    PMString* CreateName() override;
    void SetUpTarget() override;
};
