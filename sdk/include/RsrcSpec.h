// Objects built from a plug-in's view resources, found through the locale
// index of the resource type.
#pragma once

#include "IPMUnknown.h"
#include "UIDRef.h"

using PMLocaleId = int32;

class OPAL_SDK_API WLocaleSetting {
public:
    // The locale the host runs in (its language code).
    static PMLocaleId GetLocale();
};

class RsrcSpec {
public:
    RsrcSpec(PMLocaleId locale, PluginID plugin, RsrcType type, RsrcID id, bool16 localized = kTrue)
        : fLocale(locale), fPlugin(plugin), fType(type), fID(id), fLocalized(localized) {}
    PMLocaleId GetLocale() const { return fLocale; }
    PluginID GetPluginID() const { return fPlugin; }
    RsrcType GetType() const { return fType; }
    RsrcID GetID() const { return fID; }
    // kTrue: `id` names a locale index that leads to the resource.
    bool16 IsLocalized() const { return fLocalized; }

private:
    PMLocaleId fLocale;
    PluginID fPlugin;
    RsrcType fType;
    RsrcID fID;
    bool16 fLocalized;
};

// Builds the widget tree a view resource describes, in `db`, and returns its
// root's interface `iid` with a reference, or nullptr.
OPAL_SDK_API IPMUnknown* CreateObject(IDataBase* db, const RsrcSpec& spec, PMIID iid);
