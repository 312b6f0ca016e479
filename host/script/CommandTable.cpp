#include "script/Commands.h"

#include <ostream>

namespace host {

const std::vector<CommandInfo>& CommandTable() {
    using G = CommandGroup;
    static const std::vector<CommandInfo> table = {
        {"palette", "palette NAME [class HEX] [hidden] [at X Y]", G::kWorld,
         "creates a palette window (floating unless a class is given)", PaletteCommand},
        {"place", "place PALETTE X Y", G::kWorld,
         "puts the palette window's top-left corner at X Y on the screen", PlaceCommand},
        {"panel", "panel NAME [in PALETTE [new-group]] [id N] [class HEX]", G::kWorld,
         "creates a host panel as the front tab of the palette's last (or a new) tab group",
         PanelCommand},
        {"move", "move PANEL to PALETTE [new-group]", G::kWorld,
         "moves a panel into another palette", MoveCommand},
        {"front", "front PANEL", G::kWorld, "brings a panel to the front of its tab group",
         FrontCommand},
        {"show", "show PANEL", G::kWorld, "shows a panel and its palette", ShowCommand},
        {"hide", "hide PANEL", G::kWorld, "hides a panel", HideCommand},
        {"recreate", "recreate PALETTE", G::kWorld,
         "destroys the palette's window and makes a new, plain one", RecreateCommand},
        {"tick", "tick [N]", G::kWorld,
         "fires the host timer N times, running the scheduled commands after each", TickCommand},
        {"trace", "trace on|off", G::kWorld,
         "prints the host's commands as they are scheduled and run", TraceCommand},
        {"print windows", "print windows", G::kWorld,
         "each palette window as the window system reports it", PrintWindowsCommand},
        {"pointer", "pointer X Y | pointer away", G::kWorld,
         "moves the pointer to the screen point, or off every window of the host", PointerCommand},
        {"print pointer", "print pointer", G::kWorld,
         "where the pointer is and the palette window it is over", PrintPointerCommand},
        {"wait", "wait MS", G::kWorld,
         "advances the host's clock, firing the timers that fall due in deadline order and "
         "running the scheduled commands after each",
         WaitCommand},

        {"open", "open opal", G::kPanel, "shows the Opal panel", OpenCommand},
        {"close", "close opal", G::kPanel, "closes the Opal panel's palette", CloseCommand},
        {"select", "select ROW... | select none", G::kPanel,
         "selects exactly these rows (the name a row shows, or #I for row I)", SelectCommand},
        {"type", "type TEXT", G::kPanel, "types into the opacity field and presses Enter",
         TypeCommand},
        {"press", "press onoff|swap", G::kPanel,
         "presses the On/Off button or the button that swaps all and visible panels", PressCommand},
        {"doubleclick", "doubleclick ROW", G::kPanel, "selects the row alone and double-clicks it",
         DoubleClickCommand},
        {"resize", "resize W H", G::kPanel, "drags the panel's size box to that size",
         ResizeCommand},
        {"answer", "answer ok|dont-show-again", G::kPanel,
         "how alerts with a don't-show-again choice are answered from now on", AnswerCommand},
        {"key", "key KEY...", G::kPanel,
         "presses keys in the Opal panel (or the open dialog): text, or left right up down "
         "home end pageup pagedown tab enter escape space backspace delete, each with shift+ "
         "or ctrl+ before it (ctrl+a, ctrl+c, ctrl+x, ctrl+v)",
         KeyCommand},
        {"focus", "focus list|field|onoff|swap", G::kPanel,
         "gives the control the keyboard focus, as a click on it does (the field selects its "
         "text)",
         FocusCommand},
        {"scroll", "scroll ROW | scroll by N", G::kPanel,
         "scrolls the list as little as brings the row into view, or by N rows (the wheel: "
         "positive down)",
         ScrollCommand},
        {"hover", "hover onoff|swap|none", G::kPanel,
         "rests the pointer on a button (its hover look and tip), or on none", HoverCommand},
        {"click", "click X Y", G::kPanel,
         "presses and releases the mouse button at X Y on the screen, as a person clicks there",
         ClickCommand},
        {"wheel", "wheel X Y N", G::kPanel, "turns the wheel N rows (positive: down) at X Y",
         WheelCommand},
        {"print focus", "print focus", G::kPanel,
         "the control with the focus; for the field what is typed, the caret and the selection",
         PrintFocusCommand},
        {"print tips", "print tips", G::kPanel,
         "the Opal panel's tips by button, the one the pointer rests on marked shown",
         PrintTipsCommand},
        {"print list", "print list", G::kPanel, "the panel's rows, field and On/Off button",
         PrintListCommand},
        {"print bar", "print bar I", G::kPanel, "row I's opacity bar as it is drawn now",
         PrintBarCommand},
        {"print layout", "print layout", G::kPanel, "the frames of the shown panel's widgets",
         PrintLayoutCommand},
        {"print size", "print size", G::kPanel, "the shown panel's size", PrintSizeCommand},

        {"menu", "menu [\"ENTRY\"...]", G::kMenus,
         "prints the Opal panel's menu, or chooses an entry through its sub-menus", MenuCommand},
        {"shortcut", "shortcut ACTION", G::kMenus, "presses a shortcut bound to the action",
         ShortcutCommand},
        {"print dialog", "print dialog", G::kMenus, "the open dialog and its widgets",
         PrintDialogCommand},
        {"press ok", "press ok", G::kMenus, "presses the open dialog's OK button", PressOKCommand},

        {"do add-alpha", "do add-alpha PANEL", G::kModel,
         "runs the plug-in's command that adds an entry for the panel", AddAlphaCommand},
        {"do set-alpha", "do set-alpha PANEL VALUE", G::kModel,
         "sets the panel's stored opacity in percent (the field takes 15 to 100)", SetAlphaCommand},
        {"do on-off", "do on-off 0|1", G::kModel, "switches opacity off or on", OnOffCommand},
        {"do ignore-closed", "do ignore-closed 0|1", G::kModel,
         "lists only the visible panels (1) or all (0)", IgnoreClosedCommand},
        {"print data", "print data", G::kModel, "the plug-in's options and stored opacities",
         PrintDataCommand},
        {"print workspace", "print workspace", G::kModel, "the records of the saved workspace file",
         PrintWorkspaceCommand},
        {"save", "save", G::kModel, "writes the workspace file now", SaveCommand},
        {"restart", "restart", G::kModel,
         "saves, unloads the plug-in and starts again reading the workspace back", RestartCommand},
        {"simulate", "simulate crash-before-rename", G::kModel,
         "test aid: the next save ends the process before its rename", SimulateCommand},

        {"print resources", "print resources", G::kResources,
         "each resource of the module: type, ID and size", PrintResourcesCommand},
        {"print resource", "print resource TYPE ID", G::kResources,
         "a resource's bytes in hexadecimal", PrintResourceCommand},
        {"print strings", "print strings", G::kResources,
         "each key of the string table and its English text", PrintStringsCommand},
        {"print classes", "print classes", G::kResources,
         "the module's class table with its interface/implementation pairs", PrintClassesCommand},

        {"snapshot", "snapshot FILE.png", G::kPictures,
         "draws the screen into a PNG file (native build)", SnapshotCommand},
        {"print places", "print places", G::kPictures,
         "where a person clicks: palettes, title bars, menu buttons, tabs, the Opal panel's "
         "rows, field, buttons and size box, the open dialog and its buttons",
         PrintPlacesCommand},

        {"say", "say WORDS...", G::kSession, "prints the words after \"# \"", SayCommand},
        {"help", "help [COMMAND...]", G::kSession,
         "lists the commands, or tells what the named ones do", HelpCommand},
        {"quit", "quit", G::kSession, "saves the workspace and ends the session", QuitCommand},
        {"exit", "exit", G::kSession, "saves the workspace and ends the session", QuitCommand},
    };
    return table;
}

const char* GroupTitle(CommandGroup group) {
    switch (group) {
    case CommandGroup::kWorld:
        return "The host world (palettes and panels)";
    case CommandGroup::kPanel:
        return "The Opal panel";
    case CommandGroup::kMenus:
        return "Menus and dialogs";
    case CommandGroup::kModel:
        return "The model and the workspace";
    case CommandGroup::kResources:
        return "The module's resources";
    case CommandGroup::kPictures:
        return "Pictures";
    case CommandGroup::kSession:
        return "The session";
    }
    return "";
}

void PrintHelp(std::ostream& out, const Words& words) {
    if (words.empty()) {
        const CommandInfo* previous = nullptr;
        for (const CommandInfo& command : CommandTable()) {
            if (!previous || previous->group != command.group)
                out << (previous ? "\n" : "") << GroupTitle(command.group) << ":\n";
            out << "  " << command.usage << "\n";
            previous = &command;
        }
        out << "\nhelp COMMAND tells what a command does; quit saves the workspace and leaves.\n";
        return;
    }
    std::string asked;
    for (const std::string& word : words)
        asked += (asked.empty() ? "" : " ") + word;
    bool found = false;
    for (const CommandInfo& command : CommandTable()) {
        const std::string verb = command.verb;
        if (verb != asked && verb.compare(0, asked.size() + 1, asked + " ") != 0)
            continue;
        out << command.usage << "\n    " << command.summary << "\n";
        found = true;
    }
    if (!found)
        throw ScriptError("no command " + Shown(asked) + "; help lists them all");
}

// Narration for demonstrations: the words as they are, after "# ".
void SayCommand(ScriptContext& c, const Words& args) {
    c.out << "#";
    for (const std::string& word : args)
        c.out << " " << word;
    c.out << "\n";
}

void HelpCommand(ScriptContext& c, const Words& args) {
    PrintHelp(c.out, args);
}

void QuitCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    c.quit = true;
}

} // namespace host
