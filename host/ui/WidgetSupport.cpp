// What views ask of the window system. Until widgets are drawn, a redraw
// request has nothing to do and children keep their frames.
#include "CControlView.h"

void InvalidateWidget(const IControlView* /*view*/) {}

void LayoutWidgetChildren(IControlView* /*view*/, const PMRect& /*oldFrame*/) {}
