// The opaque-under-the-pointer switch, kept with the workspace.
#include "CPMUnknown.h"
#include "IPMStream.h"
#include "ImplementationRegistry.h"
#include "OpalID.h"
#include "model/IOpalPointerOptions.h"

class OpalPointerOptions : public CPMUnknown<IOpalPointerOptions> {
public:
    explicit OpalPointerOptions(IPMUnknown* boss) : CPMUnknown<IOpalPointerOptions>(boss) {}

    bool16 GetOpaqueUnderPointer() const override { return fOpaqueUnderPointer; }
    void SetOpaqueUnderPointer(bool16 on) override {
        if (fOpaqueUnderPointer == on)
            return;
        fOpaqueUnderPointer = on;
        Dirty(this, kInvalidImpl, kTrue);
    }

    // One 16-bit switch, stored as given (2 reads as true). Off, nothing is
    // written: the workspace then holds only what Opal 1.0.1 wrote, and a
    // workspace without the record reads as off.
    void ReadWrite(IPMStream* stream, ImplementationID /*implID*/) {
        if (!stream || (stream->IsWriting() && !fOpaqueUnderPointer))
            return;
        stream->XferInt16(fOpaqueUnderPointer);
    }

private:
    bool16 fOpaqueUnderPointer = kFalse;
};

CREATE_PERSIST_PMINTERFACE(OpalPointerOptions, kOpalPointerOptionsImpl);
