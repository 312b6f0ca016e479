// Where stored opacity becomes visible: a palette's operating-system window
// made layered with a constant alpha.
#pragma once

#include "UIDRef.h"

// Makes the palette's window layered with the constant alpha of `opacity`
// percent. The palette is asked for its window; if it is gone, nothing happens.
void ApplyWindowAlpha(UIDRef palette, double opacity);

// The 8-bit window alpha of an opacity in percent: truncated toward zero
// (100 % gives 254), and never wrapped (above 100 counts as 100).
uint8 WindowAlphaForOpacity(double opacity);
