// The drawing context a view builds in Draw: the view port it draws into,
// the view, and the region to draw. The view port's graphics port (0x1605)
// takes the operations.
#pragma once

#include "IWidgets.h"

class AGMGraphicsContext {
public:
    AGMGraphicsContext(IViewPort* viewPort, IControlView* view, SysRgn drawRgn)
        : fViewPort(viewPort), fView(view), fDrawRgn(drawRgn) {}
    IViewPort* GetViewPort() const { return fViewPort; }
    IControlView* GetView() const { return fView; }
    SysRgn GetDrawRgn() const { return fDrawRgn; }

private:
    IViewPort* fViewPort;
    IControlView* fView;
    SysRgn fDrawRgn;
};
