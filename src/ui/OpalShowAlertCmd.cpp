#include "ui/OpalShowAlertCmd.h"

#include "CAlert.h"
#include "ImplementationRegistry.h"
#include "OpalID.h"
#include "engine/OpalEngineConstants.h"

namespace {
// Values of the host's alert call; what they choose is the host's.
constexpr int8 kAlertReserved8 = 0;
constexpr int32 kAlertReserved32 = 2;
constexpr int16 kAlertReserved16 = 1;
} // namespace

OpalShowAlertCmd::OpalShowAlertCmd(IPMUnknown* boss) : Command(boss) {
    SetUndoability(kOpalUndoability);
}

OpalShowAlertCmd::~OpalShowAlertCmd() = default;

void OpalShowAlertCmd::Do() {
    if (GetCommandState() != kNotDone)
        return;
    // The host remembers the user's "don't show again" by the alert ID.
    const PMString message(kOpalDontShowAgainKey, PMString::kTranslateDuringCall);
    CAlert::WarningAlertWithDontShowAgain(message, kOpalClosedPanelsAlertID, kAlertReserved8,
                                          kAlertReserved32, kNullString, kNullString, kNullString,
                                          kAlertReserved16);
}

PMString* OpalShowAlertCmd::CreateName() {
    return new PMString("Opal Alert Cmd", PMString::kNoTranslate);
}

void OpalShowAlertCmd::SetUpTarget() {
    SetTarget(kOpalCommandTarget);
}

CREATE_PMINTERFACE(OpalShowAlertCmd, kOpalShowAlertCmdImpl);
