// The plug-in's two user switches and a reserved value, on the workspace object.
#pragma once

#include "IPMUnknown.h"
#include "OpalID.h"

class IOpalOptions : public IPMUnknown {
public:
    enum { kDefaultIID = kOpalOptionsIID };
    // Whether opacity is applied at all.
    virtual bool16 GetOnOffAlpha() const = 0;
    virtual void SetOnOffAlpha(bool16 on) = 0;
    // Whether the Opal panel lists open panels only.
    virtual bool16 GetIgnoreClosedPanels() const = 0;
    virtual void SetIgnoreClosedPanels(bool16 ignore) = 0;
    virtual int32 GetReserved() const = 0;
    virtual void SetReserved(int32 value) = 0;
};
