// The bar under a row's panel name, as long as the row's opacity text says.
#pragma once

#include "CControlView.h"

class IGraphicsPort;

class OpalAlphaBarControlView : public CControlView {
public:
    explicit OpalAlphaBarControlView(IPMUnknown* boss);
    ~OpalAlphaBarControlView() override;

    void Draw(IViewPort* viewPort, SysRgn updateRgn = nullptr) override;

private:
    void DrawBar(IGraphicsPort* port, PMReal width, PMReal height);
    // The opacity shown in the row's text, or kFalse when it cannot be read.
    bool16 ReadRowOpacity(double* opacity) const;
};
