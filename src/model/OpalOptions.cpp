// The plug-in's two user switches and a reserved value, kept with the
// workspace so that they survive a restart.
#include "CPMUnknown.h"
#include "IPMStream.h"
#include "ImplementationRegistry.h"
#include "OpalID.h"
#include "model/IOpalOptions.h"

class OpalOptions : public CPMUnknown<IOpalOptions> {
public:
    explicit OpalOptions(IPMUnknown* boss) : CPMUnknown<IOpalOptions>(boss) {}

    bool16 GetOnOffAlpha() const override { return fOnOffAlpha; }
    void SetOnOffAlpha(bool16 on) override { Change(fOnOffAlpha, on); }
    bool16 GetIgnoreClosedPanels() const override { return fIgnoreClosedPanels; }
    void SetIgnoreClosedPanels(bool16 ignore) override { Change(fIgnoreClosedPanels, ignore); }
    int32 GetReserved() const override { return fReserved; }
    void SetReserved(int32 value) override { Change(fReserved, value); }

    // The host's persistence, both directions. The switches keep their 16-bit
    // value as stored: 2 stays 2 and reads as true.
    void ReadWrite(IPMStream* stream, ImplementationID /*implID*/) {
        if (!stream)
            return;
        stream->XferInt16(fOnOffAlpha);
        stream->XferInt16(fIgnoreClosedPanels);
        stream->XferInt32(fReserved);
    }

private:
    // Marks the workspace data changed only when the value really changes,
    // so that an unchanged workspace is not written again.
    template <class T> void Change(T& field, T value) {
        if (field == value)
            return;
        field = value;
        Dirty(this, kInvalidImpl, kTrue);
    }

    bool16 fOnOffAlpha = kTrue;
    bool16 fIgnoreClosedPanels = kFalse;
    int32 fReserved = 0;
};

CREATE_PERSIST_PMINTERFACE(OpalOptions, kOpalOptionsImpl);
