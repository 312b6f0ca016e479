// A row of the Opal panel's list: a double-click shows the row's host panel
// when it is hidden and hides it when it is shown.
#pragma once

#include "CEventHandler.h"

class OpalCellEventHandler : public CEventHandler {
public:
    explicit OpalCellEventHandler(IPMUnknown* boss);
    ~OpalCellEventHandler() override;

    bool16 ButtonDblClk(IEvent* e) override;
};
