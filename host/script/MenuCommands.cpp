// The Opal panel's menu, shortcuts and dialogs, as a person uses them:
//   menu | menu "ENTRY" ["ENTRY"...] | shortcut ACTION | print dialog | press ok
// `press ok` shares the verb `press` with the panel's buttons.
#include "IWidgets.h"
#include "OpalID.h"
#include "core/Host.h"
#include "resources/Pictures.h"
#include "script/Commands.h"
#include "ui/ActionManager.h"
#include "ui/DialogManager.h"
#include "ui/PluginPanels.h"
#include "ui/UserAction.h"
#include "ui/Widgets.h"

#include <cstdio>
#include <ostream>

namespace host {
namespace {

using namespace ui;

// The Opal panel's widget and the name of its menu; the panel must be
// shown, as a person reaches the menu only through the panel.
std::pair<Boss*, std::string> ShownOpalWithMenu(const Host& host) {
    const auto id = host.Get<PluginPanels>().FindByNameKey(kOpalPanelTitleKey);
    if (!id)
        throw ScriptError("the plug-in has no Opal panel");
    Boss* panel = host.Get<PluginPanels>().PanelWidget(*id);
    if (!panel || !host.Get<PluginPanels>().IsShown(*id))
        throw ScriptError("the Opal panel is not shown");
    const auto menu = MenuNameOf(panel);
    if (!menu)
        throw ScriptError("the Opal panel has no menu");
    return {panel, *menu};
}

void Do(ScriptContext& c, const UserAction& action) {
    try {
        Perform(c.session.GetHost(), action);
    } catch (const UserActionError& e) {
        throw ScriptError(e.what());
    }
}

void PrintMenu(std::ostream& out, const std::vector<MenuItem>& items, int level) {
    const std::string indent(static_cast<size_t>(level) * 2, ' ');
    for (const MenuItem& item : items) {
        out << indent << "menu ";
        if (item.kind == MenuItem::kSeparator) {
            out << "-\n";
            continue;
        }
        out << "\"" << item.text << "\"";
        if (item.kind == MenuItem::kSubMenu) {
            out << " >\n";
            PrintMenu(out, item.items, level + 1);
            continue;
        }
        out << (item.enabled ? "" : " disabled") << "\n";
    }
}

std::string Number(PMReal value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string PictureSize(const Host& host, const IControlView& view) {
    for (const auto& plugin : host.Plugins()) {
        if (plugin->id != view.GetRsrcPluginID())
            continue;
        const Bytes* bytes = plugin->resources.Find(kBitmapRsrcType, view.GetRsrcID());
        if (const auto picture = bytes ? DecodeBitmap(*bytes) : std::nullopt)
            return std::to_string(picture->width) + "x" + std::to_string(picture->height);
    }
    return "missing";
}

void PrintWidget(std::ostream& out, const Boss* widget, PMReal left, PMReal top, bool root) {
    const IControlView* view = ViewOf(widget);
    if (!view)
        return;
    const PMRect f = view->GetFrame();
    const PMReal l = left + f.Left(), t = top + f.Top();
    const ClassID kind = widget->Class();
    if (root)
        out << "dialog \"" << TextOf(widget) << "\"";
    else if (kind == kOKButtonWidgetBoss)
        out << "button \"" << TextOf(widget) << "\"";
    else if (kind == kStaticTextWidgetBoss || kind == kInfoTextWidgetBoss)
        out << "text \"" << TextOf(widget) << "\"";
    else if (kind == kPictureWidgetBoss)
        out << "picture " << view->GetRsrcID() << " " << PictureSize(widget->GetHost(), *view);
    else if (kind == kSeparatorWidgetBoss)
        out << "line";
    else
        out << "widget class 0x" << std::hex << kind << std::dec;
    out << " " << Number(l) << " " << Number(t) << " " << Number(l + f.Width()) << " "
        << Number(t + f.Height()) << "\n";
    for (const Boss* child : ChildrenOf(widget))
        PrintWidget(out, child, l, t, false);
}

void AddEntries(const std::vector<MenuItem>& items, std::vector<std::string>* texts) {
    for (const MenuItem& item : items) {
        if (item.kind != MenuItem::kSeparator)
            texts->push_back(item.text);
        AddEntries(item.items, texts);
    }
}

} // namespace

std::vector<std::string> OpalMenuEntries(Host& host) {
    std::vector<std::string> texts;
    try {
        AddEntries(host.Get<ActionManager>().ShowMenu(ShownOpalWithMenu(host).second), &texts);
    } catch (const ScriptError&) {
    } catch (const ActionError&) {
    }
    return texts;
}

void MenuCommand(ScriptContext& c, const Words& args) {
    Host& host = c.session.GetHost();
    const auto [panel, menu] = ShownOpalWithMenu(host);
    if (!args.empty())
        return Do(c, UserAction::ChooseMenu(panel, args));
    try {
        PrintMenu(c.out, host.Get<ActionManager>().ShowMenu(menu), 0);
    } catch (const ActionError& e) {
        throw ScriptError(e.what());
    }
}

void ShortcutCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    const int64 action = ParseInteger(args[0]);
    if (action < 0 || action > UINT32_MAX)
        throw ScriptError("no such action: " + args[0]);
    try {
        c.session.GetHost().Get<ActionManager>().PressShortcut(static_cast<ActionID>(action));
    } catch (const ActionError& e) {
        throw ScriptError(args[0] + ": " + e.what());
    }
}

void PrintDialogCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    const Boss* dialog = c.session.GetHost().Get<DialogManager>().FrontDialog();
    if (!dialog)
        c.out << "dialog none\n";
    else
        PrintWidget(c.out, dialog, 0, 0, true);
}

void PressOKCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    Do(c, UserAction::PressDialogButton(nullptr));
}

} // namespace host
