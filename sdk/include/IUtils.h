// Host utilities (interface 0x682 on the utilities boss).
#pragma once

#include "IPMUnknown.h"

class IUtils : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IUTILS };
    // The shown or hidden panel widget whose widget ID is `widgetID`, with a
    // reference, or nullptr when no such panel has been built.
    virtual IPMUnknown* QueryPanelByWidgetID(WidgetID widgetID) const = 0;
    // The palette window (interface 0x112) that holds `widget`, or nullptr.
    virtual IPMUnknown* QueryPaletteOfWidget(const IPMUnknown* widget) const = 0;
};

class OPAL_SDK_API UtilsBoss {
public:
    // The utility interface `iid`, with a reference the caller releases.
    static IPMUnknown* QueryUtils(PMIID iid);
    template <class T> static T* QueryUtils() {
        return static_cast<T*>(QueryUtils(static_cast<PMIID>(T::kDefaultIID)));
    }
};
