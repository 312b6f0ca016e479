// Frame bindings: where a child goes when its parent changes size.
#pragma once

#include "PMTypes.h"
#include "SDKTypes.h"

namespace host {
class Boss;
}

namespace host::ui {

// The child's frame after its parent grew by `dw` × `dh` (negative: shrank).
// Bound to both edges of an axis, it stretches; to the far edge only, it
// moves; otherwise it stays.
OPAL_SDK_API PMRect ApplyBinding(const PMRect& frame, uint16 binding, PMReal dw, PMReal dh);

// Redraws asked for since the process started (all widgets together), and
// of one widget since it was built.
OPAL_SDK_API long InvalidationCount();
OPAL_SDK_API int InvalidationsOf(const Boss* widget);

} // namespace host::ui
