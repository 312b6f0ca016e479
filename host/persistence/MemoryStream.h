// The host stream over bytes in memory: the workspace file's records are
// read and written through it. Little-endian integers, IEEE-754 doubles.
#pragma once

#include "IPMStream.h"

#include <string>
#include <vector>

namespace host {

using ByteVector = std::vector<uint8>;

// One transfer as the recording mode lists it.
struct StreamTransfer {
    int bits;  // 16, 32 or 64
    bool real; // a double rather than an integer
    int64 integer;
    double value;
    // "i16 1", "i32 -3", "f64 37.9"
    std::string ToString() const;
};

class OPAL_SDK_API MemoryStream final : public IPMStream {
public:
    // A stream that writes into an empty buffer.
    MemoryStream();
    // A stream that reads `bytes`.
    explicit MemoryStream(ByteVector bytes);

    // A stream is not a boss: it lives with its caller and counts nothing.
    IPMUnknown* QueryInterface(PMIID /*interfaceID*/) const override { return nullptr; }
    void AddRef() const override {}
    void Release() const override {}

    bool16 IsReading() const override { return fReading ? kTrue : kFalse; }
    bool16 IsWriting() const override { return fReading ? kFalse : kTrue; }
    void XferInt16(int16& value) override;
    void XferInt32(int32& value) override;
    void XferBool(bool16& value) override;
    void XferReal(double& value) override;
    StreamState GetStreamState() const override { return fState; }
    uint32 BytesRemaining() const override;

    const ByteVector& Bytes() const { return fBytes; }

    // Recording lists every completed transfer with its width and value.
    void SetRecording(bool on) { fRecording = on; }
    const std::vector<StreamTransfer>& Transfers() const { return fTransfers; }
    std::vector<std::string> TransferLog() const;

private:
    // Moves `width` bytes between `raw` and the buffer; false once the data ran out.
    bool Move(uint64& raw, int width);
    void Note(int bits, bool real, int64 integer, double value);

    ByteVector fBytes;
    size_t fPosition = 0;
    bool fReading;
    StreamState fState = kStreamStateGood;
    bool fRecording = false;
    std::vector<StreamTransfer> fTransfers;
};

} // namespace host
