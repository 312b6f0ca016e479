// The Opal panel's own view: keeps the panel within its size limits and
// answers the host's zero-size requests.
#pragma once

#include "CControlView.h"

class OpalPanelControlView : public WErasablePanelView {
public:
    explicit OpalPanelControlView(IPMUnknown* boss);
    ~OpalPanelControlView() override;

    void Resize(const PMPoint& dimensions, bool16 invalidate = kTrue) override;
    PMPoint ConstrainDimensions(const PMPoint& dimensions) const override;

private:
    // The size to come back to after the host shrank the panel to nothing.
    PMPoint fSavedSize;
};
