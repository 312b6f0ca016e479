#include "ui/ActionManager.h"

#include "CPMUnknown.h"
#include "HostIDs.h"
#include "IActionComponent.h"
#include "ImplementationRegistry.h"
#include "core/Text.h"

#include <algorithm>
#include <map>

namespace host::ui {
namespace {

// The host's support part of action component bosses; it has no operations
// a plug-in calls.
class ActionSupport : public CPMUnknown<IPMUnknown> {
public:
    using CPMUnknown<IPMUnknown>::CPMUnknown;
};
CREATE_PMINTERFACE(ActionSupport, kActionSupportImpl);

std::string Translated(const Host& host, const std::string& key) {
    const auto text = host.TranslateKey(Windows1252ToUTF16(key));
    return text ? UTF16ToUTF8(*text) : UTF16ToUTF8(Windows1252ToUTF16(key));
}

// The list the host hands a component: the actions in its order, each with
// the state and name the host would show without asking.
class StateList : public IActionStateList {
public:
    struct Entry {
        ActionID action;
        int16 state;
        PMString name;
    };
    std::vector<Entry> entries;

    int32 Length() const override { return static_cast<int32>(entries.size()); }
    ActionID GetNthAction(int32 index) const override {
        return Valid(index) ? entries[static_cast<size_t>(index)].action : 0;
    }
    void SetNthActionState(int32 index, int16 state) override {
        if (Valid(index))
            entries[static_cast<size_t>(index)].state = state;
    }
    void SetNthActionName(int32 index, const PMString& name) override {
        if (Valid(index))
            entries[static_cast<size_t>(index)].name = name;
    }

private:
    bool Valid(int32 index) const { return index >= 0 && index < Length(); }
};

// The component boss for one request; the host holds it only while it asks.
class Component {
public:
    Component(Host& host, ClassID boss) : fBoss(host.Model().CreateBoss(boss)) {}
    ~Component() {
        if (fBoss)
            fBoss->Release();
    }
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    IActionComponent* get() const {
        return fBoss ? fBoss->PeekAs<IActionComponent>(IID_IACTIONCOMPONENT) : nullptr;
    }

private:
    Boss* fBoss;
};

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> keys;
    size_t start = 0;
    for (;;) {
        const size_t colon = path.find(':', start);
        keys.push_back(path.substr(start, colon - start));
        if (colon == std::string::npos)
            return keys;
        start = colon + 1;
    }
}

// A menu as the definitions build it, before the states are asked.
struct Node {
    MenuItem::Kind kind = MenuItem::kAction;
    ActionID action = 0;
    std::string key; // a sub-menu's title key
    double position = 0;
    size_t order = 0; // file order, for equal positions
    std::vector<Node> children;
};

Node& SubMenu(std::vector<Node>& items, const std::string& key) {
    for (Node& n : items)
        if (n.kind == MenuItem::kSubMenu && n.key == key)
            return n;
    // Entries of a sub-menu that no definition places go last.
    Node n;
    n.kind = MenuItem::kSubMenu;
    n.key = key;
    n.position = 1e300;
    n.order = items.size();
    items.push_back(n);
    return items.back();
}

void Sort(std::vector<Node>& items) {
    std::stable_sort(items.begin(), items.end(), [](const Node& a, const Node& b) {
        return a.position != b.position ? a.position < b.position : a.order < b.order;
    });
    for (Node& n : items)
        Sort(n.children);
}

void CollectActions(const std::vector<Node>& items, std::vector<ActionID>& actions) {
    for (const Node& n : items) {
        if (n.kind == MenuItem::kAction)
            actions.push_back(n.action);
        CollectActions(n.children, actions);
    }
}

// Puts the definition's entry into the menu `top`, below the sub-menus that
// `keys` (its path after the menu's name) names.
void PlaceEntry(std::vector<Node>& top, const MenuDef& def, std::vector<std::string> keys,
                size_t order) {
    Node node;
    node.action = def.action;
    node.position = def.position;
    node.order = order;
    // "…:KEY:" declares the sub-menu KEY; "…:-" a separator; else an action.
    if (!keys.empty() && keys.back().empty()) {
        keys.pop_back();
        if (keys.empty())
            return;
        node.kind = MenuItem::kSubMenu;
        node.key = keys.back();
        keys.pop_back();
    } else if (!keys.empty() && keys.back() == "-") {
        keys.pop_back();
        node.kind = MenuItem::kSeparator;
    }
    std::vector<Node>* items = &top;
    for (const std::string& key : keys)
        items = &SubMenu(*items, key).children;
    if (node.kind == MenuItem::kSubMenu) {
        Node& existing = SubMenu(*items, node.key);
        existing.position = node.position;
        existing.order = node.order;
    } else {
        items->push_back(node);
    }
}

// The menu as shown with the actions' states: texts, enabling, and no entry
// whose action nobody defines.
std::vector<MenuItem> Shown(const Host& host, const std::vector<Node>& nodes,
                            const std::map<ActionID, ActionStateAnswer>& states) {
    std::vector<MenuItem> items;
    for (const Node& n : nodes) {
        MenuItem item;
        item.kind = n.kind;
        item.action = n.action;
        if (n.kind == MenuItem::kSubMenu) {
            item.text = Translated(host, n.key);
            item.items = Shown(host, n.children, states);
        } else if (n.kind == MenuItem::kAction) {
            const auto state = states.find(n.action);
            if (state == states.end())
                continue; // an entry without an action definition is not shown
            item.text = state->second.name;
            item.enabled = state->second.state != kDisabled;
        }
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace

void ActionManager::PluginLoaded(const LoadedPlugin& plugin) {
    const auto other = [&plugin](const auto& entry) { return entry.plugin == plugin.id; };
    fActions.erase(std::remove_if(fActions.begin(), fActions.end(), other), fActions.end());
    fMenuEntries.erase(std::remove_if(fMenuEntries.begin(), fMenuEntries.end(), other),
                       fMenuEntries.end());
    for (const Bytes* bytes : plugin.resources.OfType(kActionDefRsrcType))
        if (const auto defs = DecodeActionDefs(*bytes))
            for (const ActionDef& def : *defs)
                fActions.push_back({plugin.id, def});
    for (const Bytes* bytes : plugin.resources.OfType(kMenuDefRsrcType))
        if (const auto defs = DecodeMenuDefs(*bytes))
            for (const MenuDef& def : *defs)
                fMenuEntries.push_back({plugin.id, def});
}

const ActionDef* ActionManager::FindAction(ActionID action) const {
    for (const Known& k : fActions)
        if (k.def.action == action)
            return &k.def;
    return nullptr;
}

std::vector<ActionDef> ActionManager::ShortcutActions() const {
    std::vector<ActionDef> offered;
    for (const Known& k : fActions)
        if (k.def.offeredForShortcuts)
            offered.push_back(k.def);
    return offered;
}

std::vector<ActionStateAnswer> ActionManager::AskStates(const std::vector<ActionID>& actions) {
    // One list per component, in the order the components first appear.
    std::vector<std::pair<ClassID, StateList>> lists;
    for (ActionID action : actions) {
        const ActionDef* def = FindAction(action);
        if (!def)
            continue;
        auto list = std::find_if(lists.begin(), lists.end(),
                                 [def](const auto& l) { return l.first == def->component; });
        if (list == lists.end())
            list = lists.insert(lists.end(), {def->component, StateList()});
        const bool asked = def->enablingFlags & kCustomEnabling;
        list->second.entries.push_back(
            {action, asked ? int16(kDisabled) : int16(kEnabledAction),
             PMString(def->nameKey.c_str(), PMString::kTranslateDuringCall)});
    }
    std::vector<ActionStateAnswer> answers;
    for (auto& [componentClass, list] : lists) {
        Component component(fHost, componentClass);
        if (IActionComponent* c = component.get())
            c->UpdateActionStates(ActiveContext(), &list, GSysPoint(), nullptr);
        for (StateList::Entry& e : list.entries) {
            PMString name = e.name;
            name.Translate();
            answers.push_back({e.action, e.state, name.GetUTF8String()});
        }
    }
    return answers;
}

std::vector<MenuItem> ActionManager::ShowMenu(const std::string& menuNameKey) {
    std::vector<Node> top;
    size_t order = 0;
    for (const Placed& placed : fMenuEntries) {
        std::vector<std::string> keys = SplitPath(placed.def.path);
        if (keys.empty() || keys.front() != menuNameKey)
            continue;
        keys.erase(keys.begin());
        PlaceEntry(top, placed.def, std::move(keys), order++);
    }
    Sort(top);

    std::vector<ActionID> actions;
    CollectActions(top, actions);
    std::map<ActionID, ActionStateAnswer> states;
    for (const ActionStateAnswer& a : AskStates(actions))
        states.emplace(a.action, a);
    return Shown(fHost, top, states);
}

void ActionManager::ChooseMenuEntry(const std::string& menuNameKey,
                                    const std::vector<std::string>& texts) {
    if (texts.empty())
        throw ActionError("no menu entry named");
    std::vector<MenuItem> items = ShowMenu(menuNameKey);
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto found = std::find_if(items.begin(), items.end(), [&](const MenuItem& item) {
            return item.kind != MenuItem::kSeparator && item.text == texts[i];
        });
        if (found == items.end())
            throw ActionError("the menu has no entry \"" + texts[i] + "\"");
        const bool last = i + 1 == texts.size();
        if (found->kind == MenuItem::kSubMenu) {
            if (last)
                throw ActionError("\"" + texts[i] + "\" is a sub-menu: name one of its entries");
            items = std::move(found->items);
            continue;
        }
        if (!last)
            throw ActionError("\"" + texts[i] + "\" is no sub-menu");
        if (!found->enabled)
            throw ActionError("the menu entry \"" + texts[i] + "\" is disabled");
        DoAction(found->action);
    }
}

void ActionManager::PressShortcut(ActionID action) {
    const ActionDef* def = FindAction(action);
    if (!def || !def->offeredForShortcuts)
        throw ActionError("no shortcut can be bound to that action");
    if (def->enablingFlags & kCustomEnabling) {
        const auto states = AskStates({action});
        if (states.empty() || states.front().state == kDisabled)
            return; // a disabled action's shortcut does nothing
    }
    DoAction(action);
}

void ActionManager::DoAction(ActionID action) {
    const ActionDef* def = FindAction(action);
    if (!def)
        return;
    Component component(fHost, def->component);
    if (IActionComponent* c = component.get())
        c->DoAction(ActiveContext(), action, GSysPoint(), nullptr);
}

} // namespace host::ui
