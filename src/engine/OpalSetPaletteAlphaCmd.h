// Sets one palette window's opacity from the stored values of the panels it
// holds. Callers never run it themselves: SchedulePaletteAlpha queues it.
#pragma once

#include "Command.h"
#include "UIDRef.h"

class OpalSetPaletteAlphaCmd : public Command {
public:
    explicit OpalSetPaletteAlphaCmd(IPMUnknown* boss);
    ~OpalSetPaletteAlphaCmd() override = default;

    void Do() override;
    PMString* CreateName() override;
    void SetUpTarget() override;
};

// Makes the palette's window layered with the constant alpha of `opacity`
// percent.
void ApplyWindowAlpha(UIDRef palette, double opacity);

// The 8-bit window alpha of an opacity in percent: truncated, never wrapped.
uint8 WindowAlphaForOpacity(double opacity);
