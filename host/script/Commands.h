// The commands of opalhost's command language, one function each, and the
// one table that names them with their usage, group and what they do. The
// table feeds the runner, `help` and the README's check.
#pragma once

#include "script/ScriptRunner.h"

#include <vector>

namespace host {

enum class CommandGroup { kWorld, kPanel, kMenus, kModel, kResources, kPictures, kSession };

struct CommandInfo {
    const char* verb; // one or two words
    const char* usage;
    CommandGroup group;
    const char* summary;
    void (*run)(ScriptContext&, const Words& args);
};

// Every command, grouped, in the order help lists them.
const std::vector<CommandInfo>& CommandTable();
const char* GroupTitle(CommandGroup group);
// The help text: every command, or those the words name.
void PrintHelp(std::ostream& out, const Words& words);

// Names a person may type after a command, for completion: the world's
// palettes and panels, the Opal panel's rows and menu entries.
std::vector<std::string> NamesInTheWorld(const Host& host);
std::vector<std::string> OpalRowNames(const Host& host); // none while the panel is not shown
std::vector<std::string> OpalMenuEntries(Host& host);    // as above; sub-menus' entries too

// The host world (WorldCommands.cpp).
void PaletteCommand(ScriptContext&, const Words&);
void PlaceCommand(ScriptContext&, const Words&);
void PanelCommand(ScriptContext&, const Words&);
void MoveCommand(ScriptContext&, const Words&);
void FrontCommand(ScriptContext&, const Words&);
void ShowCommand(ScriptContext&, const Words&);
void HideCommand(ScriptContext&, const Words&);
void RecreateCommand(ScriptContext&, const Words&);
void TickCommand(ScriptContext&, const Words&);
void TraceCommand(ScriptContext&, const Words&);
void PrintWindowsCommand(ScriptContext&, const Words&);
// The pointer and the clock (PointerCommands.cpp).
void PointerCommand(ScriptContext&, const Words&);
void PrintPointerCommand(ScriptContext&, const Words&);
void WaitCommand(ScriptContext&, const Words&);
// After each line: the pointer is over whatever window is now under it.
void PointerFollowsWindows(ScriptContext&);

// The Opal panel (PanelCommands.cpp).
void OpenCommand(ScriptContext&, const Words&);
void CloseCommand(ScriptContext&, const Words&);
void SelectCommand(ScriptContext&, const Words&);
void TypeCommand(ScriptContext&, const Words&);
void PressCommand(ScriptContext&, const Words&);
void DoubleClickCommand(ScriptContext&, const Words&);
void ResizeCommand(ScriptContext&, const Words&);
void AnswerCommand(ScriptContext&, const Words&);
void PrintListCommand(ScriptContext&, const Words&);
void PrintBarCommand(ScriptContext&, const Words&);
void PrintLayoutCommand(ScriptContext&, const Words&);
void PrintSizeCommand(ScriptContext&, const Words&);

// Menus and dialogs (MenuCommands.cpp).
void MenuCommand(ScriptContext&, const Words&);
void ShortcutCommand(ScriptContext&, const Words&);
void PrintDialogCommand(ScriptContext&, const Words&);
void PressOKCommand(ScriptContext&, const Words&);

// The model (ModelCommands.cpp).
void AddAlphaCommand(ScriptContext&, const Words&);
void SetAlphaCommand(ScriptContext&, const Words&);
void OnOffCommand(ScriptContext&, const Words&);
void IgnoreClosedCommand(ScriptContext&, const Words&);
void PrintDataCommand(ScriptContext&, const Words&);
void PrintWorkspaceCommand(ScriptContext&, const Words&);
void SaveCommand(ScriptContext&, const Words&);
void RestartCommand(ScriptContext&, const Words&);
void SimulateCommand(ScriptContext&, const Words&);

// Resources (ResourceCommands.cpp).
void PrintResourcesCommand(ScriptContext&, const Words&);
void PrintResourceCommand(ScriptContext&, const Words&);
void PrintStringsCommand(ScriptContext&, const Words&);
void PrintClassesCommand(ScriptContext&, const Words&);

// Pictures (PictureCommands.cpp).
void SnapshotCommand(ScriptContext&, const Words&);
// Writes the screen's picture to `file`, or says why this build draws none
// (unix/Pictures.cpp, windows/Pictures.cpp).
void WriteScreenPicture(ScriptContext&, const std::string& file);
// Where a person clicks (PlaceCommands.cpp).
void PrintPlacesCommand(ScriptContext&, const Words&);

// The keyboard, the pointer and scrolling in the Opal panel (KeyboardCommands.cpp).
void KeyCommand(ScriptContext&, const Words&);
void FocusCommand(ScriptContext&, const Words&);
void ScrollCommand(ScriptContext&, const Words&);
void HoverCommand(ScriptContext&, const Words&);
void ClickCommand(ScriptContext&, const Words&);
void WheelCommand(ScriptContext&, const Words&);
void PrintFocusCommand(ScriptContext&, const Words&);
void PrintTipsCommand(ScriptContext&, const Words&);
// The row a word names: "#I", or the name exactly one row shows (PanelCommands.cpp).
int32 OpalRowIndex(const std::vector<Boss*>& rows, const std::string& word);

// The session (CommandTable.cpp).
void SayCommand(ScriptContext&, const Words&);
void HelpCommand(ScriptContext&, const Words&);
void QuitCommand(ScriptContext&, const Words&);

} // namespace host
