#include "model/OpacityText.h"

#include <cmath>
#include <limits>

int32 OpacityToWholeNumber(double opacity) {
    // Converting a double outside the target's range is undefined behaviour,
    // so the ends are decided before the conversion.
    constexpr double kBelowMin = -2147483649.0; // every value above truncates to >= INT32_MIN
    constexpr double kAboveMax = 2147483648.0;  // every value below truncates to <= INT32_MAX
    if (std::isnan(opacity))
        return 0;
    if (opacity <= kBelowMin)
        return std::numeric_limits<int32>::min();
    if (opacity >= kAboveMax)
        return std::numeric_limits<int32>::max();
    return static_cast<int32>(opacity);
}

PMString OpacityToPercentText(double opacity) {
    PMString text;
    text.AppendNumber(OpacityToWholeNumber(opacity));
    text.Append("%");
    return text;
}
