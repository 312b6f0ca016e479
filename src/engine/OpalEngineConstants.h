// Values the engine passes to the host; their meaning is the host's.
#pragma once

#include "SDKTypes.h"

// Window opacity must wait for the host to settle a palette: it runs first
// among scheduled work, everything else the engine schedules after it.
constexpr int32 kPaletteAlphaPriority = 1;
constexpr int32 kDeferredWorkPriority = 0;

// Commands that change no model data.
constexpr int32 kOpalUndoability = 1;
constexpr int32 kOpalCommandTarget = 0;

// The periodic pass over the host's palettes, in host timer units.
constexpr int32 kOpalTimerInterval = 500;

// What a plug-in dialog is created with: the modality (by reference) and the
// two values after it.
constexpr int32 kDialogModality = 1;
constexpr int32 kDialogReserved = 1;
