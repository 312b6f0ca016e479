// The host's dialogs: the application's dialog manager (0x11c) builds a
// dialog from a plug-in's layout (through the locale index), with the dialog
// boss the layout names; the dialog's controller (0x62a) sets its fields up
// when it opens. Open dialogs are held by the host, the last opened in front;
// OK asks the controller to validate and apply, then closes the dialog.
#pragma once

#include "core/Host.h"

#include <functional>
#include <string>
#include <vector>

namespace host::ui {

constexpr ImplementationID kDialogImpl = 0x8210;
constexpr ImplementationID kDialogControllerImpl = 0x8211;
constexpr ImplementationID kDialogMgrImpl = 0x8212;

class OPAL_SDK_API DialogManager {
public:
    static DialogManager& Get();

    // Told when a dialog opens (with its title) and when it closes.
    std::function<void(const std::string& title)> onOpened;
    std::function<void()> onClosed;
    // Stands in for the user while a caller waits for a dialog to close; a
    // dialog still open afterwards stays open and the wait returns.
    std::function<void(Boss* dialog)> onWait;

    // The dialog in front, without a reference; nullptr when none is open.
    Boss* FrontDialog() const { return fOpen.empty() ? nullptr : fOpen.back(); }
    size_t OpenDialogs() const { return fOpen.size(); }
    std::string Title(const Boss* dialog) const;
    // Presses the front dialog's OK button; false when no dialog is open.
    bool PressOK();
    // Closes every open dialog (the session ends).
    void CloseAll();

    // From the dialogs.
    void Opened(Boss* dialog);
    void Closed(Boss* dialog);

private:
    std::vector<Boss*> fOpen; // one reference each
};

// Defines the dialog and dialog widget classes and the dialog manager.
void DefineDialogClasses(ObjectModel& model);

} // namespace host::ui
