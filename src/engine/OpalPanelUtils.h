// Free functions shared by the engine and the user interface. None keeps
// state: each obtains what it needs from the host and releases it.
#pragma once

#include "IPMUnknown.h"

class IDialog;
class IPanelControlData;

// Queues OpalSetPaletteAlphaCmd for the palette window that `palette` is an
// interface of; the opacity is decided when the host runs it.
void SchedulePaletteAlpha(const IPMUnknown* palette);

// Queues OpalAttachTabAreaObserverCmd for that palette window. False when
// the command cannot be built.
bool ScheduleAttachTabAreaObserver(const IPMUnknown* palette);

// Stores the opacity-on option, re-applies every stored panel's palette and
// shows the matching picture on the Opal panel's On/Off button.
void SwitchOpacity(bool16 on);

// SwitchOpacity with the negation of the current option.
void ToggleOpacity();

// Palettes opaque under the pointer: the watch installed or released as the
// option says, and the option switched through its command, then followed.
void FollowOpaqueUnderPointer();
void ToggleOpaqueUnderPointer();

// A dialog made from the plug-in's layout `rsrcID` (through its locale
// index), not yet open, or nullptr; the caller releases it.
IDialog* CreatePluginDialog(const RsrcID& rsrcID);

// Creates and opens that dialog; with `wait`, returns once it has closed.
void OpenPluginDialog(const RsrcID& rsrcID, bool16 wait);

// The list family: each finds the list `listWidgetID` below `owner` (any
// interface of the widget that holds it) and gives the answer for a missing
// list when any step to it fails.

// The number of rows, -1 without the list.
int32 CountListRows(const IPMUnknown* owner, WidgetID listWidgetID);
bool16 IsListRowSelected(const IPMUnknown* owner, WidgetID listWidgetID, int32 row);
// The first selected row, -1 when none is or without the list.
int32 GetSelectedListRow(const IPMUnknown* owner, WidgetID listWidgetID);
// Adds `row` to the selection.
void SelectListRow(const IPMUnknown* owner, WidgetID listWidgetID, int32 row);
// Places `rowWidget` (a row built from the row template) at the end.
void AppendListRow(const IPMUnknown* owner, WidgetID listWidgetID, const IPMUnknown* rowWidget);
// Removes every row and redraws the list.
void ClearListRows(const IPMUnknown* owner, WidgetID listWidgetID);

// The child container of list row `row` of the list `listWidgetID` below
// `owner`, or nullptr; the caller releases it.
IPanelControlData* GetListRowPanel(const IPMUnknown* owner, WidgetID listWidgetID, int32 row);
