// Switches palettes turning opaque under the pointer on or off.
#include "Command.h"
#include "DataInterfaces.h"
#include "ISession.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "frame/OpalSession.h"
#include "model/IOpalPointerOptions.h"

class OpalSetOpaqueUnderPointerCmd : public Command {
public:
    using Command::Command;

    void Do() override {
        if (GetCommandState() != kNotDone)
            return;
        InterfacePtr<IOpalPointerOptions> options =
            QueryWorkspaceInterface<IOpalPointerOptions>(kOpalPointerOptionsIID);
        if (!options)
            return;
        InterfacePtr<IBoolData> value(this, IID_IBOOLDATA);
        if (!value)
            return;
        options->SetOpaqueUnderPointer(value->Get());
    }
    PMString* CreateName() override {
        return new PMString("Set opaque under pointer", PMString::kNoTranslate);
    }
    void SetUpTarget() override { SetTarget(0); }
};

CREATE_PMINTERFACE(OpalSetOpaqueUnderPointerCmd, kOpalSetOpaqueUnderPointerCmdImpl);
