// Panels a plug-in declares in its panel list (type 502). Each is known to
// the panel registry from the plug-in's load on (IDs counting from 1), as a
// host panel object (class kPanelBoss) that will hold the plug-in's panel
// widget. The palette window and the widgets are made the first time the
// panel is shown, and kept while the session lasts: closing only hides them.
// While the panel's palette is shown, the panel's observer (the interface
// its layout names) is attached: AutoAttach after the palette is shown,
// AutoDetach when it is hidden, however that happens.
#pragma once

#include "core/Host.h"
#include "core/Layer.h"

#include <optional>
#include <string>
#include <vector>

namespace host::ui {

class OPAL_SDK_API PluginPanels final : public Layer {
public:
    static constexpr size_t kSlot = 1;
    explicit PluginPanels(Host& host) : fHost(host) {}

    // A widget asked to be drawn again: a window that shows it draws it.
    Channel<const Boss*> redrawn;

    // The widget classes, once, when the host starts.
    void DefineClasses(ObjectModel& model) override;
    // Reads the plug-in's panel list and makes its panels known to the world.
    void PluginLoaded(const LoadedPlugin& plugin) override;

    // The panel whose name key is `key`.
    std::optional<int32> FindByNameKey(const std::string& key) const;
    // Builds the panel when needed and shows it (WorldError when the world
    // cannot hold it).
    void Show(int32 panelID);
    // Closes the panel's palette.
    void Close(int32 panelID);
    bool IsShown(int32 panelID) const;
    // The panel's widget (the root of its layout) while it is built, without
    // a reference; nullptr before it is first shown in this session.
    Boss* PanelWidget(int32 panelID) const;
    // Every panel widget built now, without references.
    std::vector<Boss*> PanelWidgets() const;
    // The name of the panel's palette window.
    std::string PaletteName(int32 panelID) const;

    // Redraws asked for of the host's widgets, all together.
    long Invalidations() const { return fInvalidations; }
    void Invalidated(const Boss* widget);

    // From the world.
    void PaletteShown(const Boss* palette, bool shown) override;
    void WorldTakenDown() override;

private:
    void Register(const PanelList& list);
    struct Panel {
        int32 panelID;
        std::string nameKey;
        PluginID owner;
        RsrcID layoutID;
        UID container = kInvalidUID; // the panel object that holds the widget
        Boss* widget = nullptr;      // held by that object
        bool attached = false;
    };
    Panel* Find(int32 panelID);
    const Panel* Find(int32 panelID) const;
    bool Built(const Panel& panel) const;
    void Build(Panel& panel);
    void Attach(Panel& panel, bool attach);

    Host& fHost;
    std::vector<Panel> fPanels;
    long fInvalidations = 0;
};

} // namespace host::ui
