#include "ui/UserAction.h"

#include "IWidgets.h"
#include "ui/ActionManager.h"
#include "ui/DialogManager.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
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
        }
    } catch (const WorldError& e) {
        throw UserActionError(e.what());
    } catch (const ActionError& e) {
        throw UserActionError(e.what());
    }
    return ActionResult::kIgnored;
}

} // namespace host::ui
