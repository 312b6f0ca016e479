// How an opacity is shown to the user: a whole number of percent.
#pragma once

#include "PMString.h"
#include "SDKTypes.h"

// The opacity truncated toward zero (37.9 gives 37, -0.5 gives 0). Defined
// for every double: not-a-number gives 0, and values beyond the 32-bit range,
// infinities included, give the nearest end of that range.
int32 OpacityToWholeNumber(double opacity);

// The whole number followed by "%", as a list row shows it ("37%").
PMString OpacityToPercentText(double opacity);
