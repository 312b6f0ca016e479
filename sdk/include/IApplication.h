// The application object (boss 0x102). Its subject reports window-list changes.
#pragma once

#include "IPMUnknown.h"

class IPanelRegistry;
class IPaletteRegistry;

class IApplication : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IAPPLICATION };
    // Each returns the registry with a reference the caller releases, or nullptr.
    virtual IPanelRegistry* QueryPanelRegistry() const = 0;
    virtual IPaletteRegistry* QueryPaletteRegistry() const = 0;
};
