// The keyboard, the pointer and scrolling in the Opal panel, each through
// the person's actions (ui/UserAction.h) as the live windows send them:
//   key KEY... | focus list|field|onoff|swap | scroll ROW | scroll by N
//   hover onoff|swap|none | click X Y | wheel X Y N | print focus | print tips
#include "OpalID.h"
#include "core/Host.h"
#include "paint/HitTest.h"
#include "script/Commands.h"
#include "ui/DialogManager.h"
#include "ui/Focus.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/SliderCombo.h"
#include "ui/UserAction.h"

#include <map>
#include <ostream>

namespace host {
namespace {

using namespace ui;

Boss* ShownOpal(Host& host) {
    PluginPanels& panels = host.Get<PluginPanels>();
    const auto id = panels.FindByNameKey(kOpalPanelTitleKey);
    if (!id)
        throw ScriptError("the plug-in has no Opal panel");
    Boss* panel = panels.PanelWidget(*id);
    if (!panel || !panels.IsShown(*id))
        throw ScriptError("the Opal panel is not shown");
    return panel;
}

// The Opal panel's controls by the names the commands give them.
const std::map<std::string, WidgetID>& ControlNames() {
    static const std::map<std::string, WidgetID> names = {{"list", kOpalPanelListWidgetID},
                                                          {"field", kOpalOpacitySliderWidgetID},
                                                          {"onoff", kOpalOnOffButtonWidgetID},
                                                          {"swap", kOpalSwapContentButtonWidgetID}};
    return names;
}

Boss* Control(Host& host, const std::string& name) {
    const auto found = ControlNames().find(name);
    if (found == ControlNames().end())
        throw ScriptError("no control " + Shown(name));
    Boss* widget = FindWidget(ShownOpal(host), found->second);
    if (!widget)
        throw ScriptError("the Opal panel has no " + name);
    return widget;
}

std::string NameOf(const Boss* control) {
    const IControlView* view = ViewOf(control);
    for (const auto& [name, id] : ControlNames())
        if (view && view->GetWidgetID() == id)
            return name;
    return "other";
}

ActionResult Do(ScriptContext& c, const UserAction& action) {
    try {
        return Perform(c.session.GetHost(), action);
    } catch (const UserActionError& e) {
        throw ScriptError(e.what());
    }
}

// "shift+ctrl+end", "enter", "5", "55%": a named key or typed text.
Key ParseKey(const std::string& word) {
    Key key;
    std::string rest = word;
    for (;;) {
        if (rest.rfind("shift+", 0) == 0 && rest.size() > 6) {
            key.shift = true;
            rest = rest.substr(6);
        } else if (rest.rfind("ctrl+", 0) == 0 && rest.size() > 5) {
            key.ctrl = true;
            rest = rest.substr(5);
        } else {
            break;
        }
    }
    static const std::map<std::string, Key::Code> kNamed = {{"left", Key::Code::kLeft},
                                                            {"right", Key::Code::kRight},
                                                            {"up", Key::Code::kUp},
                                                            {"down", Key::Code::kDown},
                                                            {"home", Key::Code::kHome},
                                                            {"end", Key::Code::kEnd},
                                                            {"pageup", Key::Code::kPageUp},
                                                            {"pagedown", Key::Code::kPageDown},
                                                            {"tab", Key::Code::kTab},
                                                            {"enter", Key::Code::kEnter},
                                                            {"escape", Key::Code::kEscape},
                                                            {"space", Key::Code::kSpace},
                                                            {"backspace", Key::Code::kBackspace},
                                                            {"delete", Key::Code::kDelete}};
    if (const auto named = kNamed.find(rest); named != kNamed.end()) {
        key.code = named->second;
        return key;
    }
    if (key.ctrl && rest.size() != 1)
        throw ScriptError("no key " + Shown(word));
    key.code = Key::Code::kText;
    key.text = rest;
    return key;
}

paint::Point ScreenPoint(const std::string& x, const std::string& y) {
    return {double(ParseInteger(x)), double(ParseInteger(y))};
}

} // namespace

void KeyCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 64);
    Host& host = c.session.GetHost();
    std::vector<Key> keys;
    for (const std::string& word : args)
        keys.push_back(ParseKey(word));
    for (const Key& key : keys) {
        // Keys go to the open dialog, else to the Opal panel.
        Boss* target = host.Get<DialogManager>().FrontDialog();
        if (!target)
            target = ShownOpal(host);
        Do(c, UserAction::KeyPress(target, key));
    }
}

void FocusCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    if (Do(c, UserAction::Focus(Control(c.session.GetHost(), args[0]))) == ActionResult::kIgnored)
        c.out << "note: the " << args[0] << " takes no focus now\n";
}

void ScrollCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 2);
    Boss* list = Control(c.session.GetHost(), "list");
    if (args.size() == 2) {
        if (args[0] != "by")
            ThrowUsage(c);
        const int64 rows = ParseInteger(args[1]);
        if (rows < -100000 || rows > 100000)
            throw ScriptError("scroll by: N must be between -100000 and 100000");
        Do(c, UserAction::Wheel(list, static_cast<int32>(rows)));
        return;
    }
    Do(c, UserAction::Scroll(list, OpalRowIndex(ListRows(list), args[0])));
}

void HoverCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    Boss* button = nullptr;
    if (args[0] == "onoff" || args[0] == "swap")
        button = Control(c.session.GetHost(), args[0]);
    else if (args[0] != "none")
        ThrowUsage(c);
    Do(c, UserAction::Hover(button));
}

void ClickCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 2, 2);
    const paint::Point at = ScreenPoint(args[0], args[1]);
    const auto measure = paint::NewScreenTextMeasure();
    for (const UserAction& action :
         paint::PressActions(paint::LayOut(c.session.GetHost(), *measure), at)) {
        Do(c, action);
        // Released where it was pressed: a button held down acts.
        if (action.kind == UserAction::Kind::kButtonDown)
            Do(c, UserAction::ButtonUp(action.widget, true));
    }
}

void WheelCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 3, 3);
    const int64 rows = ParseInteger(args[2]);
    if (rows < -100000 || rows > 100000)
        throw ScriptError("wheel: N must be between -100000 and 100000");
    const auto measure = paint::NewScreenTextMeasure();
    if (const auto action = paint::WheelAt(paint::LayOut(c.session.GetHost(), *measure),
                                           ScreenPoint(args[0], args[1]), static_cast<int32>(rows)))
        Do(c, *action);
}

void PrintFocusCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    Host& host = c.session.GetHost();
    const Boss* control = FocusOf(host, ShownOpal(host));
    if (!control) {
        c.out << "focus none\n";
        return;
    }
    c.out << "focus " << NameOf(control);
    if (const FieldEdit* edit = EditOf(control); edit && edit->active)
        c.out << " \"" << edit->text << "\" caret " << edit->caret << " selection "
              << edit->SelectionStart() << " " << edit->SelectionEnd();
    c.out << "\n";
}

void PrintTipsCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    Host& host = c.session.GetHost();
    for (const Boss* control : FocusableControls(host, ShownOpal(host))) {
        const auto tip = TipOf(host, control);
        if (!tip)
            continue;
        const WidgetRecord* record = RecordOf(control);
        c.out << "tip " << NameOf(control) << " \"" << *tip << "\""
              << (record && record->hovered ? " shown" : "") << "\n";
    }
}

} // namespace host
