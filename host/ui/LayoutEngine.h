// Frame bindings: where a child goes when its parent changes size.
#pragma once

#include "PMTypes.h"
#include "SDKTypes.h"

class IControlView;

namespace host {
class Boss;
class Host;
} // namespace host

namespace host::ui {

// The child's frame after its parent grew by `dw` × `dh` (negative: shrank).
// Bound to both edges of an axis, it stretches; to the far edge only, it
// moves; otherwise it stays.
OPAL_SDK_API PMRect ApplyBinding(const PMRect& frame, uint16 binding, PMReal dw, PMReal dh);

// Redraws asked for of one widget since it was built (of all widgets
// together: PluginPanels::Invalidations).
OPAL_SDK_API int InvalidationsOf(const Boss* widget);

// Lays the view's children out again by their bindings after its frame
// changed from `oldFrame`.
void LayOutChildren(Host& host, IControlView* view, const PMRect& oldFrame);

} // namespace host::ui
