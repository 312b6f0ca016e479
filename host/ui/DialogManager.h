// The host's dialogs: the application's dialog manager (0x11c) builds a
// dialog from a plug-in's layout (through the locale index), with the dialog
// boss the layout names; the dialog's controller (0x62a) sets its fields up
// when it opens. Open dialogs are held by the host, the last opened in front;
// OK asks the controller to validate and apply, then closes the dialog.
#pragma once

#include "core/Host.h"
#include "core/Layer.h"

#include <functional>
#include <string>
#include <vector>

namespace host::ui {

constexpr ImplementationID kDialogImpl = 0x8210;
constexpr ImplementationID kDialogControllerImpl = 0x8211;
constexpr ImplementationID kDialogMgrImpl = 0x8212;

// A dialog opened (with its title) or closed.
struct DialogEvent {
    enum Kind { kOpened, kClosed };
    Kind kind;
    std::string title; // of the dialog opened
};

// Stands in for the user while a caller waits for a dialog to close (the
// live application, a test); a dialog still open afterwards stays open and
// the wait returns.
class DialogWaiter {
public:
    virtual ~DialogWaiter() = default;
    virtual void WaitFor(Boss* dialog) = 0;
};

class OPAL_SDK_API DialogManager final : public Layer {
public:
    static constexpr size_t kSlot = 3;
    explicit DialogManager(Host& host) : fHost(host) {}

    // The dialog classes, once, when the host starts.
    void DefineClasses(ObjectModel& model) override;
    // Dialogs are built from the plug-ins' code: none may outlive the session.
    void ApplicationEnding() override { CloseAll(); }
    // Dialogs opening and closing, to those who subscribe.
    Channel<DialogEvent> events;
    // Who waits for a dialog in the user's place, when someone does.
    Service<DialogWaiter> waiter;
    // Closes the dialog for the user while a caller waits (a dialog nobody
    // waits for in the user's place stays open and the wait returns).
    void Wait(Boss* dialog);

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
    Host& fHost;
    std::vector<Boss*> fOpen; // one reference each
};

// Defines the dialog and dialog widget classes and the dialog manager.
void DefineDialogClasses(ObjectModel& model);

} // namespace host::ui
