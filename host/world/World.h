// The host's world of panels and palette windows.
#pragma once

#include "core/ObjectModel.h"

namespace host {

class OPAL_SDK_API World {
public:
    static World& Get();
    static void DefineClasses(ObjectModel& model);

    Boss* PanelRegistryBoss() const { return fPanelRegistry; }
    Boss* PaletteRegistryBoss() const { return fPaletteRegistry; }

    // With a reference, or nullptr.
    IPMUnknown* QueryPanelByWidgetID(WidgetID widgetID) const;
    IPMUnknown* QueryPaletteOfWidget(const IPMUnknown* widget) const;

    // Built with the session's application object, taken down before it.
    void Create();
    void Destroy();

private:
    Boss* fPanelRegistry = nullptr;
    Boss* fPaletteRegistry = nullptr;
};

} // namespace host
