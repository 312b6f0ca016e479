// Where stored opacity becomes visible: a palette's operating-system window
// made layered with a constant alpha.
#pragma once

#include "UIDRef.h"

// Makes the palette's window layered with the constant alpha of `opacity`
// percent. The palette is asked for its window; if it is gone, nothing happens.
// A `translucent` palette is one whose alpha Opal decides: it shows opaque
// while the pointer is over it, when that option is on.
void ApplyWindowAlpha(UIDRef palette, double opacity, bool translucent);

// The 8-bit window alpha of an opacity in percent: truncated toward zero
// (100 % gives 254), and never wrapped (above 100 counts as 100).
uint8 WindowAlphaForOpacity(double opacity);
