// Free functions shared by the engine and the user interface. None keeps
// state: each obtains what it needs from the host and releases it.
#pragma once

#include "IPMUnknown.h"

class IDialog;
class IPanelControlData;

// Queues OpalSetPaletteAlphaCmd for the palette window that `palette` is an
// interface of; the opacity is decided when the host runs it.
void SchedulePaletteAlpha(const IPMUnknown* palette);

// Stores the opacity-on option, re-applies every stored panel's palette and
// shows the matching picture on the Opal panel's On/Off button.
void SwitchOpacity(bool16 on);

// SwitchOpacity with the negation of the current option.
void ToggleOpacity();

// A dialog made from the plug-in's layout `rsrcID` (through its locale
// index), not yet open, or nullptr; the caller releases it.
IDialog* CreatePluginDialog(const RsrcID& rsrcID);

// Creates and opens that dialog; with `wait`, returns once it has closed.
void OpenPluginDialog(const RsrcID& rsrcID, bool16 wait);

// The child container of list row `row` of the list `listWidgetID` below
// `owner`, or nullptr; the caller releases it.
//
// The rest of the list family (count, selection, append, clear) needs the
// host's list item data and list selection interfaces, which the SDK does
// not offer yet.
IPanelControlData* GetListRowPanel(const IPMUnknown* owner, WidgetID listWidgetID, int32 row);
