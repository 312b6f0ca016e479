// The host's actions and menus, from the plug-ins' action definitions (type
// 509) and menu definitions (type 507). An action belongs to an action
// component boss; the host asks that component to carry the action out and,
// before it shows a menu or runs a shortcut whose enabling needs asking, for
// the states and names of the actions concerned.
#pragma once

#include "IActionComponent.h"
#include "core/Host.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace host::ui {

// Enabling flag: the component decides the action's state (and may rename it).
constexpr uint32 kCustomEnabling = 0x1;

// A request the host refuses, with a sentence saying why.
struct ActionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One entry of a menu as the host shows it.
struct MenuItem {
    enum Kind { kAction, kSeparator, kSubMenu };
    Kind kind = kAction;
    ActionID action = 0;
    std::string text; // translated
    bool enabled = true;
    std::vector<MenuItem> items; // a sub-menu's entries
};

// What a component said of one action.
struct ActionStateAnswer {
    ActionID action;
    int16 state;
    std::string name; // translated
};

class OPAL_SDK_API ActionManager final : public Layer {
public:
    static constexpr size_t kSlot = 2;
    explicit ActionManager(Host& host) : fHost(host) {}

    // What the user works in, handed to components and dialog controllers:
    // the stand-in host has one context, there while the host is.
    IActiveContext* ActiveContext() { return &fContext; }

    // Reads the plug-in's action and menu definitions, replacing what it
    // brought before.
    void PluginLoaded(const LoadedPlugin& plugin) override;

    const ActionDef* FindAction(ActionID action) const;
    // The actions offered for keyboard shortcuts, with their areas.
    std::vector<ActionDef> ShortcutActions() const;

    // Asks the actions' components for their states, one list per component,
    // with the host's active context.
    std::vector<ActionStateAnswer> AskStates(const std::vector<ActionID>& actions);
    // The menu whose path starts with `menuNameKey`, as it would be shown now.
    std::vector<MenuItem> ShowMenu(const std::string& menuNameKey);
    // Chooses the entry reached through `texts` (sub-menu titles, then the
    // entry); ActionError when it is not there or is disabled.
    void ChooseMenuEntry(const std::string& menuNameKey, const std::vector<std::string>& texts);
    // Presses a shortcut bound to the action; ActionError when the action is
    // not offered for shortcuts.
    void PressShortcut(ActionID action);
    // Has the action's component carry it out.
    void DoAction(ActionID action);

private:
    struct Known {
        PluginID plugin;
        ActionDef def;
    };
    struct Placed {
        PluginID plugin;
        MenuDef def;
    };
    Host& fHost;
    IActiveContext fContext;
    std::vector<Known> fActions;
    std::vector<Placed> fMenuEntries;
};

} // namespace host::ui
