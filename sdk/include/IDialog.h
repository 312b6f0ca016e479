// Dialogs built from a plug-in's layout resource by the application's dialog
// manager (0x11c); the dialog boss's controller (0x62a) fills its fields.
#pragma once

#include "CPMUnknown.h"
#include "RsrcSpec.h"

class IActiveContext;

class IDialog : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IDIALOG };
    // Shows the dialog; `reserved` 0.
    virtual void Open(int32 reserved = 0) = 0;
    // Returns once the dialog has closed; `reserved` 0.
    virtual void WaitForDialog(int32 reserved = 0) = 0;
    virtual void Close() = 0;
    virtual bool16 IsOpen() const = 0;
};

class IDialogMgr : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IDIALOGMGR };
    // Creates the dialog a layout resource describes (with the dialog boss the
    // layout names), not yet open; with a reference, or nullptr.
    virtual IDialog* CreateNewDialog(const RsrcSpec& spec, const int32& modality, int32 reserved1,
                                     int32 reserved2) = 0;
};

class IDialogController : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IDIALOGCONTROLLER };
    virtual void InitializeFields(IActiveContext* context) = 0;
    virtual void InitializeDialogFields(IActiveContext* context) = 0;
    virtual bool16 ValidateDialogFields(IActiveContext* context) = 0;
    virtual void ApplyDialogFields(IActiveContext* context, WidgetID widgetID) = 0;
    virtual void ResetDialogFields(IActiveContext* context) = 0;
    virtual void ClosingDialog() = 0;
};

// Base of dialog controllers: the fields keep what the layout gave them, and
// OK closes the dialog (the host's part).
class CDialogController : public CPMUnknown<IDialogController> {
public:
    explicit CDialogController(IPMUnknown* boss) : CPMUnknown<IDialogController>(boss) {}
    void InitializeFields(IActiveContext* context) override { InitializeDialogFields(context); }
    void InitializeDialogFields(IActiveContext* /*context*/) override {}
    bool16 ValidateDialogFields(IActiveContext* /*context*/) override { return kTrue; }
    void ApplyDialogFields(IActiveContext* /*context*/, WidgetID /*widgetID*/) override {}
    void ResetDialogFields(IActiveContext* /*context*/) override {}
    void ClosingDialog() override {}
};
