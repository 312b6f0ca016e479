// The world's state, shared by the files that make up the world: the
// description (palettes with their tab groups, panels) and, while the world
// is built, its objects and the messages waiting to be sent.
#pragma once

#include "world/Palettes.h"
#include "world/Panels.h"
#include "world/WindowList.h"
#include "world/World.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace host {

inline std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

struct World::State {
    using Panel = WorldPanel;
    using Group = WorldTabGroup;
    using Palette = WorldPalette;

    std::vector<Palette> palettes;
    std::vector<Panel> panels;
    std::unordered_map<int32, size_t> panelByID;
    // The panels with each widget ID, in order, and the built panels whose
    // object holds widgets of its own: what a look-up by widget ID walks.
    std::unordered_map<WidgetID, std::vector<size_t>> panelsByWidget;
    std::vector<size_t> widgetHolders;
    std::unordered_map<UID, size_t> paletteByUID;
    // Palette, group containers and tab areas -> palette index.
    std::unordered_map<const Boss*, size_t> owner;
    int32 nextID = 101;
    uint64 raises = 0; // palettes raised so far

    std::vector<WorldMessage> pending;
    std::vector<Boss*> dying; // objects to take down once the messages are out
    bool flushing = false;

    World& world;
    explicit State(World& w) : world(w) {}

    bool Built() const { return world.fBuilt; }
    Database& DB() { return world.fHost.UIDataBase(); }

    // ---- Panels (Panels.cpp) ------------------------------------------------------
    Panel& PanelNamed(const std::string& name);
    Panel* PanelByID(int32 id);
    const Panel* PanelByID(int32 id) const { return const_cast<State*>(this)->PanelByID(id); }
    int32 FreeID();
    void BuildPanel(Panel& panel);

    // ---- Palettes and tab groups (Palettes.cpp) -------------------------------------
    size_t PaletteIndex(const std::string& name) const;
    // The group holding the panel, or nullptr when it is in no palette.
    Group* GroupOf(const Panel& panel, size_t* groupIndex = nullptr, size_t* tab = nullptr);
    Palette& PaletteOf(const Panel& panel);
    void BuildGroup(size_t paletteIndex, Group& group);
    void BuildPalette(size_t index);
    // Schedules the objects to go once pending messages are out.
    void Retire(Palette& palette);
    void Retire(Group& group);
    // Bring the children lists and visibility in line with the description.
    void SyncTabs(Group& group);
    void SyncPalette(Palette& palette);
    void Attach(Panel& panel, size_t paletteIndex, bool newGroup);
    void Detach(Panel& panel);
    void SetFront(Panel& panel);
    void SetShown(Palette& palette, bool shown);
    // Where the palette is, or would be when the host cascades it.
    ScreenPoint PlaceOf(const Palette& palette) const;
    // Puts a palette nobody placed where it covers no other's title bar.
    void PlaceFreely(Palette& palette);

    // ---- Messages and the objects' end (WindowList.cpp) ------------------------------
    void Post(Boss* subject, ClassID change, Boss* origin);
    void PostWindow(ClassID change, const Palette& palette) { Post(nullptr, change, palette.boss); }
    void PostTab(const Group& group, ClassID change, const Panel& panel) {
        if (group.tabArea)
            Post(group.tabArea, change, panel.boss);
    }
    void Flush();
    void ReleasePending();
    Boss* NewBoss(ClassID classID);
    void TakeDown(Boss* boss);
};

} // namespace host
