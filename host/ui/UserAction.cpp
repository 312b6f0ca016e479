#include "ui/UserAction.h"

#include "IWidgets.h"
#include "ui/ActionManager.h"
#include "ui/DialogManager.h"
#include "ui/Focus.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/SizeBox.h"
#include "ui/SliderCombo.h"
#include "world/World.h"

namespace host::ui {

UserAction UserAction::Select(Boss* list, std::set<int32> rows) {
    UserAction a;
    a.kind = Kind::kSelect;
    a.widget = list;
    a.rows = std::move(rows);
    return a;
}

UserAction UserAction::Type(Boss* field, std::string text) {
    UserAction a;
    a.kind = Kind::kType;
    a.widget = field;
    a.text = std::move(text);
    return a;
}

UserAction UserAction::Press(Boss* button) {
    UserAction a;
    a.kind = Kind::kPress;
    a.widget = button;
    return a;
}

UserAction UserAction::DoubleClick(Boss* list, int32 row) {
    UserAction a;
    a.kind = Kind::kDoubleClick;
    a.widget = list;
    a.row = row;
    return a;
}

UserAction UserAction::Resize(Boss* panel, int32 width, int32 height) {
    UserAction a;
    a.kind = Kind::kResize;
    a.widget = panel;
    a.x = width;
    a.y = height;
    return a;
}

UserAction UserAction::Place(std::string palette, int32 x, int32 y) {
    UserAction a;
    a.kind = Kind::kPlace;
    a.palette = std::move(palette);
    a.x = x;
    a.y = y;
    return a;
}

UserAction UserAction::Front(int32 panelID) {
    UserAction a;
    a.kind = Kind::kFront;
    a.panelID = panelID;
    return a;
}

UserAction UserAction::ChooseMenu(Boss* panel, std::vector<std::string> path) {
    UserAction a;
    a.kind = Kind::kChooseMenu;
    a.widget = panel;
    a.path = std::move(path);
    return a;
}

UserAction UserAction::PressDialogButton(Boss* dialog, Boss* button) {
    UserAction a;
    a.kind = Kind::kDialogButton;
    a.widget = dialog;
    a.button = button;
    return a;
}

UserAction UserAction::Answer(AlertAnswer answer) {
    UserAction a;
    a.kind = Kind::kAnswer;
    a.answer = answer;
    return a;
}

UserAction UserAction::KeyPress(Boss* panel, Key key) {
    UserAction a;
    a.kind = Kind::kKey;
    a.widget = panel;
    a.key = std::move(key);
    return a;
}

UserAction UserAction::Focus(Boss* control) {
    UserAction a;
    a.kind = Kind::kFocus;
    a.widget = control;
    return a;
}

UserAction UserAction::Scroll(Boss* list, int32 row) {
    UserAction a;
    a.kind = Kind::kScroll;
    a.widget = list;
    a.row = row;
    return a;
}

UserAction UserAction::Wheel(Boss* list, int32 rows) {
    UserAction a;
    a.kind = Kind::kWheel;
    a.widget = list;
    a.y = rows;
    return a;
}

UserAction UserAction::Hover(Boss* button) {
    UserAction a;
    a.kind = Kind::kHover;
    a.widget = button;
    return a;
}

UserAction UserAction::ButtonDown(Boss* button) {
    UserAction a;
    a.kind = Kind::kButtonDown;
    a.widget = button;
    return a;
}

namespace {

// A held button's action: x says whether the pointer is over the button.
UserAction HeldButton(UserAction::Kind kind, Boss* button, bool inside) {
    UserAction a;
    a.kind = kind;
    a.widget = button;
    a.x = inside ? 1 : 0;
    return a;
}

} // namespace

UserAction UserAction::ButtonDrag(Boss* button, bool inside) {
    return HeldButton(Kind::kButtonDrag, button, inside);
}

UserAction UserAction::ButtonUp(Boss* button, bool inside) {
    return HeldButton(Kind::kButtonUp, button, inside);
}

UserAction UserAction::Raise(std::string palette) {
    UserAction a;
    a.kind = Kind::kRaise;
    a.palette = std::move(palette);
    return a;
}

std::optional<std::string> MenuNameOf(const Boss* panel) {
    const WidgetRecord* record = panel ? RecordOf(panel) : nullptr;
    if (!record || !record->menuNameKey)
        return std::nullopt;
    return *record->menuNameKey;
}

namespace {

Boss* Needed(Boss* widget, const char* what) {
    if (!widget)
        throw UserActionError(std::string("no ") + what);
    return widget;
}

ActionResult DoubleClickRow(Boss* list, int32 row) {
    const std::vector<Boss*> rows = ListRows(list);
    if (row < 0 || row >= static_cast<int32>(rows.size()))
        throw UserActionError("no row #" + std::to_string(row));
    Boss* cell = rows[static_cast<size_t>(row)];
    cell->AddRef(); // the first click may rebuild the list
    SelectByUser(list, {row});
    if (auto* handler = cell->PeekAs<IEventHandler>(IID_IEVENTHANDLER))
        handler->ButtonDblClk(nullptr);
    cell->Release();
    return ActionResult::kDone;
}

// Brings the tab's panel to the front by the name the world knows it by.
ActionResult FrontTab(World& world, int32 panelID) {
    const auto panel = world.FindPanel(panelID);
    if (!panel)
        throw UserActionError("no panel with ID " + std::to_string(panelID));
    world.BringToFront(panel->name);
    return ActionResult::kDone;
}

ActionResult ChooseMenuEntry(Host& host, const Boss* panel, const std::vector<std::string>& path) {
    const auto menu = MenuNameOf(Needed(const_cast<Boss*>(panel), "panel"));
    if (!menu)
        throw UserActionError("the panel has no menu");
    host.Get<ActionManager>().ChooseMenuEntry(*menu, path);
    return ActionResult::kDone;
}

// Only OK buttons close the host's dialogs; OK presses the front one.
ActionResult PressDialogButton(Host& host, const Boss* dialog) {
    DialogManager& dialogs = host.Get<DialogManager>();
    if (!dialogs.FrontDialog())
        throw UserActionError("no dialog is open");
    if (dialog && dialog != dialogs.FrontDialog())
        throw UserActionError("the dialog is not in front");
    dialogs.PressOK();
    return ActionResult::kDone;
}

ActionResult Done(bool taken) {
    return taken ? ActionResult::kDone : ActionResult::kIgnored;
}

// Escape and Enter answer the front dialog as its OK button does; other keys
// go to its controls.
ActionResult DialogKey(Host& host, Boss* dialog, const Key& key) {
    if (key.code == Key::Code::kEscape || key.code == Key::Code::kEnter)
        return PressDialogButton(host, dialog);
    return Done(PanelKey(host, dialog, key) == KeyResult::kTaken);
}

ActionResult KeyInPanel(Host& host, Boss* widget, const Key& key) {
    DialogManager& dialogs = host.Get<DialogManager>();
    if (Boss* front = dialogs.FrontDialog(); front && (!widget || RootOf(widget) == front))
        return DialogKey(host, front, key);
    switch (PanelKey(host, RootOf(Needed(widget, "panel")), key)) {
    case KeyResult::kTaken:
        return ActionResult::kDone;
    case KeyResult::kRefused:
        return ActionResult::kRefused;
    case KeyResult::kIgnored:
        break;
    }
    return ActionResult::kIgnored;
}

// The pointer on one button at a time: the one it rests on shows so.
ActionResult HoverOver(Host& host, Boss* button) {
    bool changed = false;
    for (const auto& loaded : host.Get<PluginPanels>().PanelWidgets())
        for (Boss* control : FocusableControls(host, loaded))
            if (WidgetRecord* record = RecordOf(control);
                record && record->hovered != (control == button)) {
                record->hovered = control == button;
                changed = true;
                if (IControlView* view = ViewOf(control))
                    view->Invalidate();
            }
    return Done(changed);
}

ActionResult ButtonDown(Boss* button) {
    IControlView* view = ViewOf(Needed(button, "button"));
    WidgetRecord* record = RecordOf(button);
    if (!view || !record || !view->IsEnabled() || !view->IsVisible())
        return ActionResult::kIgnored;
    record->held = true;
    record->pressed = true;
    view->Invalidate();
    return ActionResult::kDone;
}

// As a push button does: held down, it looks pressed only while the pointer
// is over it.
ActionResult ButtonDrag(Boss* button, bool inside) {
    WidgetRecord* record = RecordOf(Needed(button, "button"));
    if (!record || !record->held || record->pressed == inside)
        return ActionResult::kIgnored;
    record->pressed = inside;
    if (IControlView* view = ViewOf(button))
        view->Invalidate();
    return ActionResult::kDone;
}

// Released over the button that was held, it acts; released elsewhere, the
// press is cancelled.
ActionResult ButtonUp(Boss* button, bool inside) {
    WidgetRecord* record = RecordOf(Needed(button, "button"));
    if (!record || !std::exchange(record->held, false))
        return ActionResult::kIgnored;
    record->pressed = false;
    if (IControlView* view = ViewOf(button))
        view->Invalidate();
    return inside ? Done(PressButton(button)) : ActionResult::kIgnored;
}

} // namespace

ActionResult Perform(Host& host, const UserAction& action) {
    using Kind = UserAction::Kind;
    try {
        switch (action.kind) {
        case Kind::kSelect:
            return Done(SelectByUser(Needed(action.widget, "list"), action.rows));
        case Kind::kType:
            switch (TypeIntoField(Needed(action.widget, "field"), action.text)) {
            case FieldEntry::kAccepted:
                return ActionResult::kDone;
            case FieldEntry::kRefused:
                return ActionResult::kRefused;
            case FieldEntry::kIgnored:
            case FieldEntry::kEdited:
                return ActionResult::kIgnored;
            }
            return ActionResult::kIgnored;
        case Kind::kPress:
            return Done(PressButton(Needed(action.widget, "button")));
        case Kind::kDoubleClick:
            return DoubleClickRow(Needed(action.widget, "list"), action.row);
        case Kind::kResize:
            DragPanelTo(Needed(action.widget, "panel"), action.x, action.y);
            return ActionResult::kDone;
        case Kind::kPlace:
            host.Get<World>().PlacePalette(action.palette, action.x, action.y);
            return ActionResult::kDone;
        case Kind::kFront:
            return FrontTab(host.Get<World>(), action.panelID);
        case Kind::kChooseMenu:
            return ChooseMenuEntry(host, action.widget, action.path);
        case Kind::kDialogButton:
            return PressDialogButton(host, action.widget);
        case Kind::kAnswer:
            host.Get<Alerts>().SetAnswer(action.answer);
            return ActionResult::kDone;
        case Kind::kKey:
            return KeyInPanel(host, action.widget, action.key);
        case Kind::kFocus:
            return Done(SetFocus(host, Needed(action.widget, "control")));
        case Kind::kScroll:
            if (action.row < 0 || action.row >= static_cast<int32>(ListRows(action.widget).size()))
                throw UserActionError("no row #" + std::to_string(action.row));
            return Done(ScrollIntoView(Needed(action.widget, "list"), action.row));
        case Kind::kWheel:
            return Done(ScrollListBy(Needed(action.widget, "list"), action.y));
        case Kind::kHover:
            return HoverOver(host, action.widget);
        case Kind::kButtonDown:
            return ButtonDown(action.widget);
        case Kind::kButtonDrag:
            return ButtonDrag(action.widget, action.x != 0);
        case Kind::kButtonUp:
            return ButtonUp(action.widget, action.x != 0);
        case Kind::kRaise:
            host.Get<World>().RaisePalette(action.palette);
            return ActionResult::kDone;
        }
    } catch (const WorldError& e) {
        throw UserActionError(e.what());
    } catch (const ActionError& e) {
        throw UserActionError(e.what());
    }
    return ActionResult::kIgnored;
}

} // namespace host::ui
