#include "RandomSession.h"

#include "DataInterfaces.h"
#include "ICommand.h"
#include "IWidgets.h"
#include "InterfacePtr.h"
#include "OSWindows.h"
#include "OpalID.h"
#include "core/Text.h"
#include "engine/IOpalPanelTool.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"
#include "script/Session.h"
#include "ui/ActionManager.h"
#include "ui/Alerts.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/SizeBox.h"
#include "ui/SliderCombo.h"
#include "ui/UserAction.h"
#include "world/World.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

using host::Boss;
using host::Host;
using host::World;
using host::ui::AlertAnswer;
using host::ui::PluginPanels;
using host::ui::UserAction;

namespace testing_support {
namespace {

// Palettes and panels stay few, so that a step costs the same at the
// millionth as at the first.
constexpr size_t kMaxPalettes = 12;
constexpr size_t kMaxPanels = 36;

template <class T> T* Workspace(Host& host, PMIID iid) {
    Boss* workspace = host.WorkspaceBoss();
    return workspace ? workspace->PeekAs<T>(iid) : nullptr;
}

host::PanelOptions In(const std::string& palette, bool newGroup) {
    host::PanelOptions options;
    options.palette = palette;
    options.newGroup = newGroup;
    return options;
}

std::optional<int32> OpalPanelID(Host& host) {
    return host.Get<PluginPanels>().FindByNameKey(kOpalPanelTitleKey);
}

// The Opal panel's widget while it is shown.
host::Boss* ShownOpal(Host& host) {
    const std::optional<int32> id = OpalPanelID(host);
    if (!id || !host.Get<PluginPanels>().IsShown(*id))
        return nullptr;
    return host.Get<PluginPanels>().PanelWidget(*id);
}

// Queues the palette command as the plug-in's callers do.
void SchedulePaletteCommand(const host::PaletteInfo& palette) {
    if (!palette.boss)
        return;
    InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalSetPaletteAlphaCmdBoss));
    InterfacePtr<IUIDData> data(command, IID_IUIDDATA);
    if (!data)
        return;
    data->Set(UIDRef(palette.boss->DataBase(), palette.uid));
    CmdUtils::ScheduleCommand(command.get(), 1);
}

// The window alpha the stored panels of `palette` call for, or nothing when
// none of them lives in it (its window is then left alone): while opacity is
// on, the largest value among its stored panels that the host reports active
// (the front tabs of a shown palette), else the last stored panel's, never
// below 15 %; while it is off, 100 %.
std::optional<int> ExpectedAlpha(Host& host, const host::PaletteInfo& palette) {
    auto* data = Workspace<IOpalAlphaData>(host, kOpalAlphaDataIID);
    auto* options = Workspace<IOpalOptions>(host, kOpalOptionsIID);
    if (!data || !options)
        return std::nullopt;
    std::vector<double> active;
    std::optional<double> last;
    for (int32 i = 0; i < data->CountEntries(); ++i) {
        const AlphaEntry entry = data->GetEntryAt(i);
        const auto panel = host.Get<World>().FindPanel(entry.panelID);
        if (!panel || panel->palette != palette.name)
            continue;
        last = entry.alpha;
        if (panel->front && palette.shown)
            active.push_back(entry.alpha);
    }
    if (!last)
        return std::nullopt;
    if (active.empty())
        active.push_back(*last);
    double a = 15.0;
    for (double v : active)
        if (v > a + 1e-8)
            a = v;
    if (!options->GetOnOffAlpha())
        a = 100.0;
    return static_cast<int>(std::min(a, 100.0) * 2.55);
}

std::optional<int> WindowAlpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || flags != LWA_ALPHA)
        return std::nullopt;
    return alpha;
}

// A panel's name as the list shows it: a plug-in's panel is named by its
// string key. (The names made here hold no "&".)
std::string ShownName(Host& host, const std::string& name) {
    const auto translated = host.TranslateKey(host::UTF8ToUTF16(name));
    return translated ? host::UTF16ToUTF8(*translated) : name;
}

// The texts leading to the menu entry of `action` (sub-menu titles, then
// the entry), as a person reads them; empty when the menu has none.
std::vector<std::string> MenuPath(const std::vector<host::ui::MenuItem>& items, ActionID action) {
    for (const host::ui::MenuItem& item : items) {
        if (item.kind == host::ui::MenuItem::kAction && item.action == action)
            return {item.text};
        std::vector<std::string> path = MenuPath(item.items, action);
        if (!path.empty()) {
            path.insert(path.begin(), item.text);
            return path;
        }
    }
    return {};
}

// Runs one of the model's commands, once its arguments are set.
template <class SetArguments> void RunCommand(ClassID cls, SetArguments setArguments) {
    InterfacePtr<ICommand> command(CmdUtils::CreateCommand(cls));
    if (command && setArguments(command))
        CmdUtils::ExecuteCommand(command.get());
}

std::string Text(std::optional<int> alpha) {
    return alpha ? "alpha " + std::to_string(*alpha) : "plain";
}

} // namespace

RandomSession::RandomSession(uint32 seed, std::string workspaceFile) : fRandom(seed) {
    fSession = std::make_unique<host::Session>(
        host::SessionOptions{OPAL_PLUGIN_PATH, std::move(workspaceFile)});
    if (!fSession->Start(&fError))
        fSession.reset();
}

RandomSession::~RandomSession() {
    if (fSession)
        fSession->Stop(false);
}

std::string RandomSession::Step() {
    if (!fSession)
        return "no session";
    const int32 entriesBefore = StoredEntries();
    std::string done;
    const int kind = Pick(100);
    if (fPanels.empty() || kind < 40)
        done = StepWorld();
    else if (kind < 55)
        done = StepModel();
    else if (kind < 97)
        done = StepPanel();
    else if (kind < 99) {
        const int ticks = 1 + Pick(5);
        for (int i = 0; i < ticks; ++i) {
            TheHost().FireNextTimer();
            TheHost().DrainCommands();
        }
        done = "tick " + std::to_string(ticks);
    } else
        done = Restart();
    TheHost().DrainCommands();
    // Panels newly stored at 100 % change no window until their palette
    // next changes.
    if (StoredEntries() > entriesBefore)
        ApplyAllPalettes();
    TheHost().FireNextTimer();
    TheHost().DrainCommands();
    return done;
}

std::string RandomSession::StepWorld() {
    World& world = TheHost().Get<World>();
    int kind = fPanels.empty() ? 0 : Pick(10);
    // At the limits, a panel moves instead.
    if ((kind == 0 && (fPalettes.size() >= kMaxPalettes || fPanels.size() >= kMaxPanels)) ||
        (kind == 1 && fPanels.size() >= kMaxPanels))
        kind = 2;
    if (kind == 0) {
        static const std::pair<ClassID, const char*> classes[] = {
            {kPaletteFloatingBoss, "0x613"}, {kPaletteFloatingBoss, "0x613"},
            {kPaletteFloatingBoss, "0x613"}, {kPaletteDockedBoss, "0x170"},
            {kPaletteStashBoss, "0x1640f"},  {kPaletteOtherBoss, "0xfc03"}};
        const auto& [cls, hex] = classes[Pick(6)];
        const std::string name = "P" + std::to_string(fPalettes.size());
        world.AddPalette(name, cls);
        fPalettes.push_back(name);
        const std::string panel = "T" + std::to_string(fPanels.size());
        world.AddPanel(panel, In(name, false));
        fPanels.push_back(panel);
        return "palette " + name + " class " + hex + "; panel " + panel + " in " + name;
    }
    if (kind == 1) {
        const std::string panel = "T" + std::to_string(fPanels.size());
        const std::string& palette = Any(fPalettes);
        const bool newGroup = Pick(2) == 0;
        world.AddPanel(panel, In(palette, newGroup));
        fPanels.push_back(panel);
        return "panel " + panel + " in " + palette + (newGroup ? " new-group" : "");
    }
    const std::string& panel = Any(fPanels);
    const std::string& palette = Any(fPalettes);
    switch (kind) {
    case 2:
    case 3: {
        const bool newGroup = Pick(2) == 0;
        world.MovePanel(panel, palette, newGroup);
        return "move " + panel + " to " + palette + (newGroup ? " new-group" : "");
    }
    case 4:
        world.BringToFront(panel);
        return "front " + panel;
    case 5:
        world.HidePanel(panel);
        return "hide " + panel;
    case 6:
        world.ShowPanel(panel);
        return "show " + panel;
    case 7:
        world.RecreatePalette(palette);
        return "recreate " + palette;
    case 8:
        world.HidePalette(palette);
        return "(hide palette " + palette + ")";
    default:
        world.ShowPalette(palette);
        return "(show palette " + palette + ")";
    }
}

std::string RandomSession::StepModel() {
    const std::string& panel = Any(fPanels);
    const int32 panelID = TheHost().Get<World>().FindPanel(panel)->panelID;
    if (!Workspace<IOpalAlphaData>(TheHost(), kOpalAlphaDataIID) ||
        !Workspace<IOpalOptions>(TheHost(), kOpalOptionsIID))
        return "no model";
    switch (Pick(6)) {
    case 0:
        RunCommand(kOpalAddAlphaCmdBoss, [&](const InterfacePtr<ICommand>& c) {
            InterfacePtr<IIntData> id(c, kOpalPanelIDDataIID);
            return id && (id->Set(panelID), true);
        });
        return "do add-alpha " + panel;
    case 1:
    case 2:
    case 3:
        return SetStoredOpacity(panel, panelID);
    case 4:
        return SwitchOpacity();
    default: {
        const bool ignore = Pick(2) == 0;
        RunCommand(kOpalSetIgnoreClosedPanelsCmdBoss, [&](const InterfacePtr<ICommand>& c) {
            InterfacePtr<IBoolData> flag(c, IID_IBOOLDATA);
            return flag && (flag->Set(ignore ? kTrue : kFalse), true);
        });
        return std::string("do ignore-closed ") + (ignore ? "1" : "0");
    }
    }
}

// As the panel's controller does: store, then ask for the palette.
std::string RandomSession::SetStoredOpacity(const std::string& panel, int32 panelID) {
    static const double opacities[] = {10, 15, 20, 33.3, 50, 60, 75, 99.9, 100, 150};
    auto* data = Workspace<IOpalAlphaData>(TheHost(), kOpalAlphaDataIID);
    int32 entry = -1;
    for (int32 i = 0; i < data->CountEntries(); ++i)
        if (data->GetEntryAt(i).panelID == panelID)
            entry = i;
    if (entry < 0)
        return "(" + panel + " not stored)";
    const double value = opacities[Pick(10)];
    RunCommand(kOpalSetAlphaCmdBoss, [&](const InterfacePtr<ICommand>& c) {
        InterfacePtr<IIntData> row(c, kOpalListRowDataIID), index(c, kOpalEntryIndexDataIID);
        InterfacePtr<IRealNumberData> opacity(c, kOpalAlphaValueDataIID);
        if (!row || !index || !opacity)
            return false;
        row->Set(-1);
        index->Set(entry);
        opacity->Set(value);
        return true;
    });
    ApplyPaletteOf(panelID);
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return "do set-alpha " + panel + " " + text;
}

// As SwitchOpacity does: the option, then every stored panel's palette.
std::string RandomSession::SwitchOpacity() {
    const bool on = Pick(2) == 0;
    RunCommand(kOpalSetOnOffAlphaCmdBoss, [&](const InterfacePtr<ICommand>& c) {
        InterfacePtr<IBoolData> flag(c, IID_IBOOLDATA);
        return flag && (flag->Set(on ? kTrue : kFalse), true);
    });
    auto* data = Workspace<IOpalAlphaData>(TheHost(), kOpalAlphaDataIID);
    for (int32 i = 0; i < data->CountEntries(); ++i)
        ApplyPaletteOf(data->GetEntryAt(i).panelID);
    return std::string("do on-off ") + (on ? "1" : "0");
}

// What a person does with the Opal panel, each through the one path a
// click and a command take too (ui/UserAction.h).
std::string RandomSession::StepPanel() {
    const std::optional<int32> id = OpalPanelID(TheHost());
    if (!id)
        return "(no Opal panel)";
    host::Boss* panel = ShownOpal(TheHost());
    const int kind = Pick(panel ? 20 : 6);
    PluginPanels& panels = fSession->GetHost().Get<PluginPanels>();
    if (kind == 0 || (!panel && kind >= 4)) {
        panels.Show(*id);
        return "open opal";
    }
    if (kind == 1)
        return ChooseMenuEntry(panels.PanelWidget(*id), kOpalTurnAlphaActionID,
                               "menu: turn opacity on/off");
    if (kind == 2)
        return ChooseMenuEntry(panels.PanelWidget(*id), kOpalShowPanelsActionID,
                               "menu: show all/visible panels");
    if (kind == 3) {
        const bool again = Pick(4) == 0;
        Do(UserAction::Answer(again ? AlertAnswer::kDontShowAgain : AlertAnswer::kOK));
        return again ? "answer dont-show-again" : "answer ok";
    }
    if (kind == 4) {
        panels.Close(*id);
        return "close opal";
    }
    return UseOpal(panel, kind);
}

// Steps 5 to 19 on the shown Opal panel.
std::string RandomSession::UseOpal(host::Boss* panel, int kind) {
    using host::ui::FindWidget;
    host::Boss* list = FindWidget(panel, kOpalPanelListWidgetID);
    if (kind < 10)
        return SelectRows(list);
    if (kind < 14) {
        static const char* const typed[] = {"15",   "20",  "33.3", "50",  "60", "75",
                                            "99.9", "100", "10",   "150", "abc"};
        const char* text = typed[Pick(11)];
        Do(UserAction::Type(FindWidget(panel, kOpalOpacitySliderWidgetID), text));
        return std::string("type ") + text;
    }
    if (kind == 14) {
        Do(UserAction::Press(FindWidget(panel, kOpalOnOffButtonWidgetID)));
        return "press onoff";
    }
    if (kind == 15) {
        Do(UserAction::Press(FindWidget(panel, kOpalSwapContentButtonWidgetID)));
        return "press swap";
    }
    if (kind < 18) {
        const int32 count = static_cast<int32>(host::ui::ListRows(list).size());
        if (count == 0)
            return "(no row to double-click)";
        const int32 row = Pick(count);
        Do(UserAction::DoubleClick(list, row));
        return "doubleclick #" + std::to_string(row);
    }
    const int width = 100 + Pick(400), height = 80 + Pick(500);
    Do(UserAction::Resize(panel, width, height));
    return "resize " + std::to_string(width) + " " + std::to_string(height);
}

// Each row with a chance of one in three.
std::string RandomSession::SelectRows(host::Boss* list) {
    const int32 count = static_cast<int32>(host::ui::ListRows(list).size());
    std::set<int32> chosen;
    std::string done = "select";
    for (int32 row = 0; row < count; ++row)
        if (Pick(3) == 0) {
            chosen.insert(row);
            done += " #" + std::to_string(row);
        }
    Do(UserAction::Select(list, chosen));
    return chosen.empty() ? "select none" : done;
}

// The entry as a person finds it in the panel's menu; a disabled one is
// not taken.
std::string RandomSession::ChooseMenuEntry(host::Boss* panel, ActionID action,
                                           const std::string& done) {
    const auto menu = host::ui::MenuNameOf(panel);
    if (!menu)
        return "(no menu)";
    const std::vector<std::string> path =
        MenuPath(fSession->GetHost().Get<host::ui::ActionManager>().ShowMenu(*menu), action);
    try {
        Do(UserAction::ChooseMenu(panel, path));
    } catch (const host::ui::UserActionError& e) {
        return "(" + done + ": " + e.what() + ")";
    }
    return done;
}

host::Host& RandomSession::TheHost() const {
    return fSession->GetHost();
}

host::ui::ActionResult RandomSession::Do(const host::ui::UserAction& action) {
    return host::ui::Perform(fSession->GetHost(), action);
}

std::string RandomSession::Restart() {
    std::string error;
    if (!fSession->Restart(&error)) {
        fError = "restart failed: " + error;
        return "restart (failed: " + error + ")";
    }
    return "restart";
}

void RandomSession::ApplyAllPalettes() {
    for (const host::PaletteInfo& palette : TheHost().Get<World>().Palettes())
        SchedulePaletteCommand(palette);
    TheHost().DrainCommands();
}

void RandomSession::ApplyPaletteOf(int32 panelID) {
    const auto panel = TheHost().Get<World>().FindPanel(panelID);
    if (!panel || panel->palette.empty())
        return;
    if (const auto palette = TheHost().Get<World>().FindPalette(panel->palette))
        SchedulePaletteCommand(*palette);
}

int32 RandomSession::StoredEntries() const {
    auto* data = Workspace<IOpalAlphaData>(TheHost(), kOpalAlphaDataIID);
    return data ? data->CountEntries() : 0;
}

std::vector<std::string> RandomSession::Violations() {
    std::vector<std::string> found;
    if (!fError.empty())
        found.push_back(fError);
    if (!fSession)
        return found;
    for (std::string& line : WindowViolations())
        found.push_back(std::move(line));
    for (std::string& line : ListViolations())
        found.push_back(std::move(line));
    return found;
}

std::vector<std::string> RandomSession::WindowViolations() {
    std::vector<std::string> found;
    for (const host::PaletteInfo& palette : TheHost().Get<World>().Palettes()) {
        if (palette.classID != kPaletteFloatingBoss || !palette.shown)
            continue;
        const std::optional<int> expected = ExpectedAlpha(TheHost(), palette);
        if (!expected)
            continue;
        ++fWindowsChecked;
        const std::optional<int> shown = WindowAlpha(palette.window);
        if (shown != expected)
            found.push_back("palette " + palette.name + " shows " + Text(shown) +
                            ", its panels call for " + Text(expected));
    }
    return found;
}

std::vector<std::string> RandomSession::ListViolations() {
    std::vector<std::string> found;
    host::Boss* panel = ShownOpal(TheHost());
    auto* data = Workspace<IOpalAlphaData>(TheHost(), kOpalAlphaDataIID);
    auto* tool = panel ? panel->PeekAs<IOpalPanelTool>(kOpalPanelToolIID) : nullptr;
    if (!tool || !data)
        return found;
    const std::vector<host::Boss*> rows =
        host::ui::ListRows(host::ui::FindWidget(panel, kOpalPanelListWidgetID));
    for (size_t row = 0; row < rows.size(); ++row) {
        const std::string shown =
            host::ui::TextOf(host::ui::FindWidget(rows[row], kOpalRowNameWidgetID));
        const int32 entry = tool->GetEntryIndexForRow(static_cast<int32>(row));
        const auto named = entry < data->CountEntries()
                               ? TheHost().Get<World>().FindPanel(data->GetEntryAt(entry).panelID)
                               : std::nullopt;
        if (!named || ShownName(TheHost(), named->name) != shown)
            found.push_back("row " + std::to_string(row) + " shows \"" + shown +
                            "\", its entry is " + (named ? "\"" + named->name + "\"" : "no panel"));
    }
    return found;
}

} // namespace testing_support
