// The About dialog's controller: the layout and the string table give every
// text, the host's base closes the dialog on OK.
#include "IDialog.h"
#include "ImplementationRegistry.h"
#include "OpalID.h"

class OpalAboutDialogController : public CDialogController {
public:
    using CDialogController::CDialogController;
    ~OpalAboutDialogController() override = default;
    void InitializeDialogFields(IActiveContext* context) override {
        CDialogController::InitializeDialogFields(context);
    }
};
CREATE_PMINTERFACE(OpalAboutDialogController, kOpalAboutDialogControllerImpl);
