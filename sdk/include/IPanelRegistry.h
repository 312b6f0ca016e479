// The application's registries of host panels and palette windows.
#pragma once

#include "IPMUnknown.h"
#include "PMString.h"

// Host panels by panel ID, in the order the host created them.
class IPanelRegistry : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IPANELREGISTRY };
    virtual int32 GetPanelCount() const = 0;
    virtual int32 GetNthPanelID(int32 index) const = 0;
    virtual bool16 IsValidPanel(int32 panelID) const = 0;
    virtual PMString GetPanelName(int32 panelID) const = 0;
    // The panel object (a boss of class 0x16426), with a reference, or nullptr.
    virtual IPMUnknown* QueryPanelByID(int32 panelID) const = 0;
};

// Palette windows by UID, in the UI database (GetDataBase of the registry).
class IPaletteRegistry : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IPALETTEREGISTRY };
    virtual int32 GetPaletteCount() const = 0;
    virtual UID GetNthPaletteUID(int32 index) const = 0;
    virtual bool16 IsPaletteShown(int32 locale, UID palette) const = 0;
};

// The palette registry's panel manager (0x158).
class IPanelMgr : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IPANELMGR };
    // The palette holding the panel, or kInvalidUID when it is in none.
    virtual UID GetPaletteUIDOfPanel(int32 panelID) const = 0;
    // True when the panel is the front tab of its group in a shown palette.
    virtual bool16 IsPanelActive(int32 panelID, int32 reserved) const = 0;
    virtual bool16 IsPanelPaletteShown(int32 panelID) const = 0;
    virtual void ShowPanel(int32 panelID, bool16 bringToFront) = 0;
    virtual void HidePanel(int32 panelID) = 0;
};
