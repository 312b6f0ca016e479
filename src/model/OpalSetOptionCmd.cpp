#include "OpalSetOptionCmd.h"

#include "DataInterfaces.h"
#include "ISession.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "frame/OpalSession.h"

void OpalSetOptionCmd::Do() {
    if (GetCommandState() != kNotDone)
        return;
    InterfacePtr<IOpalOptions> options = QueryWorkspaceInterface<IOpalOptions>(kOpalOptionsIID);
    if (!options)
        return;
    InterfacePtr<IBoolData> value(this, IID_IBOOLDATA);
    if (!value)
        return;
    (options.get()->*fSetter)(value->Get());
}

PMString* OpalSetOptionCmd::CreateName() {
    return new PMString(fName, PMString::kNoTranslate);
}

void OpalSetOptionCmd::SetUpTarget() {
    SetTarget(0);
}
