// The host's alerts.
#pragma once

#include "PMString.h"

class OPAL_SDK_API CAlert {
public:
    // A warning with a "don't show again" choice. The host remembers that
    // choice per `alertID` and then shows nothing. Returns the button chosen
    // (1 for the first), 0 when nothing was shown.
    static int16 WarningAlertWithDontShowAgain(const PMString& message, int32 alertID,
                                               int8 reserved8, int32 reserved32,
                                               const PMString& button1, const PMString& button2,
                                               const PMString& button3, int16 reserved16);
};
