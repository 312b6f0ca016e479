// The host stream that persistent implementations read and write through.
// One ReadWrite serves both directions: each Xfer reads into or writes from
// the referenced variable. Integers are little-endian, reals IEEE-754 doubles.
#pragma once

#include "IPMUnknown.h"

enum StreamState { kStreamStateGood = 0, kStreamStateEOF = 1, kStreamStateFailure = 2 };

class IPMStream : public IPMUnknown {
public:
    virtual bool16 IsReading() const = 0;
    virtual bool16 IsWriting() const = 0;
    virtual void XferInt16(int16& value) = 0;
    virtual void XferInt32(int32& value) = 0;
    virtual void XferBool(bool16& value) = 0;
    virtual void XferReal(double& value) = 0;
    // Good until a read ran past the end of the data or a write failed; a
    // transfer after that leaves its variable unchanged.
    virtual StreamState GetStreamState() const = 0;
    // When reading: the number of bytes not yet read. Lets a reader refuse a
    // count that the data cannot hold.
    virtual uint32 BytesRemaining() const = 0;
};
