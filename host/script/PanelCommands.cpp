// The Opal panel's commands, each what a person does with the panel:
//   open opal | close opal | select ROW... | select none | type TEXT
//   press onoff|swap | doubleclick ROW | resize W H | answer ok|dont-show-again
//   print list | print bar I | print layout | print size
// ROW is the name a row shows or #I for row I.
#include "IWidgets.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "core/Host.h"
#include "model/IOpalOptions.h"
#include "script/Commands.h"
#include "ui/Alerts.h"
#include "ui/GraphicsPort.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/SizeBox.h"
#include "ui/SliderCombo.h"
#include "ui/UserAction.h"
#include "world/World.h"

#include <cstdio>
#include <ostream>

namespace host {
namespace {

using namespace ui;

int32 OpalPanelID(const Host& host) {
    const auto id = host.Get<PluginPanels>().FindByNameKey(kOpalPanelTitleKey);
    if (!id)
        throw ScriptError("the plug-in has no Opal panel");
    return *id;
}

// The Opal panel's widget while it is shown.
Boss* ShownOpal(const Host& host) {
    const int32 id = OpalPanelID(host);
    Boss* panel = host.Get<PluginPanels>().PanelWidget(id);
    if (!panel || !host.Get<PluginPanels>().IsShown(id))
        throw ScriptError("the Opal panel is not shown");
    return panel;
}

Boss* Widget(Boss* panel, WidgetID id, const char* what) {
    Boss* widget = FindWidget(panel, id);
    if (!widget)
        throw ScriptError(std::string("the Opal panel has no ") + what);
    return widget;
}

std::string Number(PMReal value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Hex(uint32 value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

// The row a script word names: "#I", or the name exactly one row shows.
int32 RowOf(const std::vector<Boss*>& rows, const std::string& word) {
    if (word.size() > 1 && word[0] == '#') {
        const int64 row = ParseInteger(word.substr(1));
        if (row < 0 || row >= static_cast<int64>(rows.size()))
            throw ScriptError("no row " + word);
        return static_cast<int32>(row);
    }
    int32 found = -1;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (TextOf(FindWidget(rows[i], kOpalRowNameWidgetID)) != word)
            continue;
        if (found >= 0)
            throw ScriptError("several rows show " + Shown(word));
        found = static_cast<int32>(i);
    }
    if (found < 0)
        throw ScriptError("no row shows " + Shown(word));
    return found;
}

void PrintList(std::ostream& out, const Host& host) {
    const int32 id = OpalPanelID(host);
    Boss* panel = host.Get<PluginPanels>().PanelWidget(id);
    if (!panel || !host.Get<PluginPanels>().IsShown(id)) {
        out << "list closed\n";
        return;
    }
    Boss* workspace = host.WorkspaceBoss();
    InterfacePtr<IOpalOptions> options(
        workspace ? static_cast<IOpalOptions*>(workspace->QueryInternal(kOpalOptionsIID))
                  : nullptr);
    out << "list " << (options && options->GetIgnoreClosedPanels() ? "visible" : "all") << "\n";
    Boss* list = Widget(panel, kOpalPanelListWidgetID, "list");
    const std::vector<Boss*> rows = ListRows(list);
    const std::set<int32> selected = ListSelected(list);
    for (size_t i = 0; i < rows.size(); ++i) {
        const Boss* name = FindWidget(rows[i], kOpalRowNameWidgetID);
        const IControlView* nameView = ViewOf(name);
        out << "row " << i << " \"" << TextOf(name) << "\" "
            << TextOf(FindWidget(rows[i], kOpalRowOpacityTextWidgetID)) << " "
            << (nameView && nameView->IsEnabled() ? "enabled" : "greyed")
            << (selected.count(static_cast<int32>(i)) ? " selected" : "") << "\n";
    }
    const Boss* field = Widget(panel, kOpalOpacitySliderWidgetID, "opacity field");
    out << "field \"" << TextOf(field) << "\" "
        << (ViewOf(field) && ViewOf(field)->IsEnabled() ? "enabled" : "disabled") << "\n";
    const Boss* onOff = Widget(panel, kOpalOnOffButtonWidgetID, "On/Off button");
    out << "onoff picture=" << (ViewOf(onOff) ? ViewOf(onOff)->GetRsrcID() : 0) << "\n";
}

void PrintLayout(std::ostream& out, const Boss* widget, PMReal left, PMReal top, int level) {
    const IControlView* view = ViewOf(widget);
    if (!view)
        return;
    const PMRect f = view->GetFrame();
    const PMReal l = left + f.Left(), t = top + f.Top();
    out << std::string(static_cast<size_t>(level) * 2, ' ') << "widget " << Hex(view->GetWidgetID())
        << " class " << Hex(widget->Class()) << " frame " << Number(l) << " " << Number(t) << " "
        << Number(l + f.Width()) << " " << Number(t + f.Height()) << "\n";
    for (const Boss* child : ChildrenOf(widget))
        PrintLayout(out, child, l, t, level + 1);
}

// Carries out what the person did, as a click or a random step would.
ActionResult Do(ScriptContext& c, const UserAction& action) {
    try {
        return Perform(c.session.GetHost(), action);
    } catch (const UserActionError& e) {
        throw ScriptError(e.what());
    }
}

} // namespace

int32 OpalRowIndex(const std::vector<Boss*>& rows, const std::string& word) {
    return RowOf(rows, word);
}

std::vector<std::string> OpalRowNames(const Host& host) {
    std::vector<std::string> names;
    try {
        for (Boss* row : ListRows(Widget(ShownOpal(host), kOpalPanelListWidgetID, "list")))
            names.push_back(TextOf(FindWidget(row, kOpalRowNameWidgetID)));
    } catch (const ScriptError&) {
    }
    return names;
}

void OpenCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    if (args[0] != "opal")
        ThrowUsage(c);
    try {
        Host& host = c.session.GetHost();
        host.Get<PluginPanels>().Show(OpalPanelID(host));
    } catch (const WorldError& e) {
        throw ScriptError(e.what());
    }
}

void CloseCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    if (args[0] != "opal")
        ThrowUsage(c);
    Host& host = c.session.GetHost();
    host.Get<PluginPanels>().Close(OpalPanelID(host));
}

void SelectCommand(ScriptContext& c, const Words& args) {
    if (args.empty())
        ThrowUsage(c);
    Boss* list = Widget(ShownOpal(c.session.GetHost()), kOpalPanelListWidgetID, "list");
    const std::vector<Boss*> rows = ListRows(list);
    std::set<int32> chosen;
    if (!(args.size() == 1 && args[0] == "none"))
        for (const std::string& word : args)
            chosen.insert(RowOf(rows, word));
    Do(c, UserAction::Select(list, chosen));
}

void TypeCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    Boss* field =
        Widget(ShownOpal(c.session.GetHost()), kOpalOpacitySliderWidgetID, "opacity field");
    if (Do(c, UserAction::Type(field, args[0])) == ActionResult::kIgnored)
        c.out << "note: the opacity field is disabled until a row is selected; nothing typed\n";
}

void PressCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    WidgetID id = 0;
    if (args[0] == "onoff")
        id = kOpalOnOffButtonWidgetID;
    else if (args[0] == "swap")
        id = kOpalSwapContentButtonWidgetID;
    else
        ThrowUsage(c);
    Do(c, UserAction::Press(Widget(ShownOpal(c.session.GetHost()), id, "such button")));
}

void DoubleClickCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    Boss* list = Widget(ShownOpal(c.session.GetHost()), kOpalPanelListWidgetID, "list");
    Do(c, UserAction::DoubleClick(list, RowOf(ListRows(list), args[0])));
}

void ResizeCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 2, 2);
    const int64 width = ParseInteger(args[0]), height = ParseInteger(args[1]);
    if (width < 0 || height < 0 || width > 100000 || height > 100000)
        throw ScriptError("resize: W and H must be between 0 and 100000");
    Do(c, UserAction::Resize(ShownOpal(c.session.GetHost()), static_cast<int32>(width),
                             static_cast<int32>(height)));
}

void AnswerCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    if (args[0] == "ok")
        Do(c, UserAction::Answer(AlertAnswer::kOK));
    else if (args[0] == "dont-show-again")
        Do(c, UserAction::Answer(AlertAnswer::kDontShowAgain));
    else
        ThrowUsage(c);
}

void PrintListCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    PrintList(c.out, c.session.GetHost());
}

void PrintBarCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    Boss* list = Widget(ShownOpal(c.session.GetHost()), kOpalPanelListWidgetID, "list");
    const std::vector<Boss*> rows = ListRows(list);
    const int64 row = ParseInteger(args[0]);
    if (row < 0 || row >= static_cast<int64>(rows.size()))
        throw ScriptError("no row " + args[0]);
    Boss* bar = FindWidget(rows[static_cast<size_t>(row)], kOpalRowAlphaBarWidgetID);
    if (!bar)
        throw ScriptError("row " + args[0] + " has no bar");
    for (const std::string& op : DrawNow(bar))
        c.out << op << "\n";
}

void PrintLayoutCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    PrintLayout(c.out, ShownOpal(c.session.GetHost()), 0, 0, 0);
}

void PrintSizeCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    const IControlView* view = ViewOf(ShownOpal(c.session.GetHost()));
    const PMRect frame = view ? view->GetFrame() : PMRect();
    c.out << "size " << Number(frame.Width()) << " " << Number(frame.Height()) << "\n";
}

} // namespace host
