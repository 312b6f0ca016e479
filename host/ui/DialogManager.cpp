#include "ui/DialogManager.h"

#include "IDialog.h"
#include "RsrcSpec.h"
#include "core/HostClasses.h"
#include "ui/ActionManager.h"
#include "ui/LayoutReader.h"
#include "ui/Widgets.h"

#include <algorithm>

namespace host::ui {
namespace {

IDialogController* ControllerOf(const Boss* dialog) {
    return dialog ? dialog->PeekAs<IDialogController>(IID_IDIALOGCONTROLLER) : nullptr;
}

class DialogImpl : public CPMUnknown<IDialog> {
public:
    using CPMUnknown<IDialog>::CPMUnknown;
    void Open(int32 /*reserved*/) override {
        if (fOpen)
            return;
        Boss* dialog = Dialog();
        if (IDialogController* controller = ControllerOf(dialog))
            controller->InitializeDialogFields(
                dialog->GetHost().Get<ActionManager>().ActiveContext());
        fOpen = true;
        dialog->GetHost().Get<DialogManager>().Opened(dialog);
    }
    void WaitForDialog(int32 /*reserved*/) override {
        if (fOpen)
            Dialog()->GetHost().Get<DialogManager>().Wait(Dialog());
    }
    void Close() override {
        if (!fOpen)
            return;
        fOpen = false;
        Boss* dialog = Dialog();
        if (IDialogController* controller = ControllerOf(dialog))
            controller->ClosingDialog();
        dialog->GetHost().Get<DialogManager>().Closed(dialog);
    }
    bool16 IsOpen() const override { return fOpen ? kTrue : kFalse; }

    int32 modality = 0;

private:
    Boss* Dialog() const { return static_cast<Boss*>(fBoss); }
    bool fOpen = false;
};
CREATE_PMINTERFACE(DialogImpl, kDialogImpl);

// The controller of dialogs whose boss brings none: the base behaviour.
class DialogControllerImpl : public CDialogController {
public:
    using CDialogController::CDialogController;
};
CREATE_PMINTERFACE(DialogControllerImpl, kDialogControllerImpl);

bool IsDialogClass(const ObjectModel& model, ClassID id) {
    for (const BossClass* c = model.FindClass(id); c;
         c = c->parent ? model.FindClass(c->parent) : nullptr)
        if (c->id == kDialogBoss)
            return true;
    return false;
}

class DialogMgrImpl : public CPMUnknown<IDialogMgr> {
public:
    using CPMUnknown<IDialogMgr>::CPMUnknown;
    IDialog* CreateNewDialog(const RsrcSpec& spec, const int32& modality, int32 /*reserved1*/,
                             int32 /*reserved2*/) override {
        Host& host = HostOf(fBoss);
        if (!host.GetFaults().Acquire() || spec.GetType() != kLayoutRsrcType)
            return nullptr;
        const auto layout = ReadLayout(host, spec.GetPluginID(), spec.GetID(), spec.IsLocalized(),
                                       static_cast<uint16>(spec.GetLocale()));
        if (!layout || !IsDialogClass(host.Model(), layout->widgetClass))
            return nullptr;
        Boss* dialog = BuildWidget(host, *layout, &host.UIDataBase());
        if (!dialog)
            return nullptr;
        auto* result = static_cast<IDialog*>(dialog->QueryInternal(IID_IDIALOG));
        if (auto* own = OwnPart<DialogImpl>(dialog, IID_IDIALOG, kDialogImpl))
            own->modality = modality;
        dialog->Release();
        return result;
    }
};
CREATE_PMINTERFACE(DialogMgrImpl, kDialogMgrImpl);

} // namespace

void DialogManager::DefineClasses(ObjectModel& model) {
    DefineDialogClasses(model);
}

std::string DialogManager::Title(const Boss* dialog) const {
    return TextOf(dialog);
}

bool DialogManager::PressOK() {
    Boss* dialog = FrontDialog();
    if (!dialog)
        return false;
    dialog->AddRef();
    IDialogController* controller = ControllerOf(dialog);
    IActiveContext* context = fHost.Get<ActionManager>().ActiveContext();
    if (!controller || controller->ValidateDialogFields(context)) {
        if (controller)
            controller->ApplyDialogFields(context, kOKButtonWidgetID);
        if (auto* d = dialog->PeekAs<IDialog>(IID_IDIALOG))
            d->Close();
    }
    dialog->Release();
    return true;
}

void DialogManager::CloseAll() {
    while (Boss* dialog = FrontDialog()) {
        auto* d = dialog->PeekAs<IDialog>(IID_IDIALOG);
        if (d && d->IsOpen()) {
            d->Close();
        } else {
            fOpen.pop_back();
            dialog->Release();
        }
    }
}

void DialogManager::Wait(Boss* dialog) {
    DialogWaiter* person = waiter.Get();
    if (!person)
        return;
    dialog->AddRef(); // the user's answer may close it
    person->WaitFor(dialog);
    dialog->Release();
}

void DialogManager::Opened(Boss* dialog) {
    dialog->AddRef();
    fOpen.push_back(dialog);
    const std::string title = Title(dialog);
    events.Publish({DialogEvent::kOpened, title});
}

void DialogManager::Closed(Boss* dialog) {
    const auto it = std::find(fOpen.begin(), fOpen.end(), dialog);
    if (it == fOpen.end())
        return;
    fOpen.erase(it);
    events.Publish({DialogEvent::kClosed, {}});
    dialog->Release();
}

void DefineDialogClasses(ObjectModel& model) {
    const InterfacePairs widget = {{IID_ICONTROLVIEW, kWidgetViewImpl},
                                   {IID_IWIDGETPARENT, kWidgetRecordImpl},
                                   {IID_ISUBJECT, kSubjectImpl}};
    auto with = [&widget](InterfacePairs more) {
        more.insert(more.begin(), widget.begin(), widget.end());
        return more;
    };
    model.DefineClass(kDialogBoss, 0,
                      with({{IID_IPANELCONTROLDATA, kWidgetChildrenImpl},
                            {IID_ITEXTCONTROLDATA, kTextDataImpl},
                            {IID_IDIALOG, kDialogImpl},
                            {IID_IDIALOGCONTROLLER, kDialogControllerImpl}}),
                      "host");
    for (ClassID id : {kOKButtonWidgetBoss, kInfoTextWidgetBoss})
        model.DefineClass(id, 0, with({{IID_ITEXTCONTROLDATA, kTextDataImpl}}), "host");
    for (ClassID id : {kSeparatorWidgetBoss, kPictureWidgetBoss})
        model.DefineClass(id, 0, widget, "host");
    model.AddIns(kApplicationBoss, {{IID_IDIALOGMGR, kDialogMgrImpl}}, "host");
}

} // namespace host::ui
