#include "persistence/MemoryStream.h"

#include <cstdio>
#include <cstring>

namespace host {

std::string StreamTransfer::ToString() const {
    char text[48];
    if (real)
        std::snprintf(text, sizeof text, "f%d %.17g", bits, value);
    else
        std::snprintf(text, sizeof text, "i%d %lld", bits, static_cast<long long>(integer));
    return text;
}

MemoryStream::MemoryStream() : fReading(false) {}

MemoryStream::MemoryStream(ByteVector bytes) : fBytes(std::move(bytes)), fReading(true) {}

bool MemoryStream::Move(uint64& raw, int width) {
    if (fState != kStreamStateGood)
        return false;
    if (!fReading) {
        for (int i = 0; i < width; ++i)
            fBytes.push_back(static_cast<uint8>(raw >> (8 * i)));
        return true;
    }
    if (fBytes.size() - fPosition < static_cast<size_t>(width)) {
        // Ran past the end: the variable keeps its value, and so does every
        // later transfer's.
        fState = kStreamStateEOF;
        return false;
    }
    raw = 0;
    for (int i = 0; i < width; ++i)
        raw |= static_cast<uint64>(fBytes[fPosition + static_cast<size_t>(i)]) << (8 * i);
    fPosition += static_cast<size_t>(width);
    return true;
}

void MemoryStream::XferInt16(int16& value) {
    uint64 raw = static_cast<uint16>(value);
    if (!Move(raw, 2))
        return;
    value = static_cast<int16>(static_cast<uint16>(raw));
    Note(16, false, value, 0.0);
}

void MemoryStream::XferBool(bool16& value) {
    XferInt16(value);
}

void MemoryStream::XferInt32(int32& value) {
    uint64 raw = static_cast<uint32>(value);
    if (!Move(raw, 4))
        return;
    value = static_cast<int32>(static_cast<uint32>(raw));
    Note(32, false, value, 0.0);
}

void MemoryStream::XferReal(double& value) {
    uint64 raw = 0;
    std::memcpy(&raw, &value, sizeof raw);
    if (!Move(raw, 8))
        return;
    std::memcpy(&value, &raw, sizeof value);
    Note(64, true, 0, value);
}

uint32 MemoryStream::BytesRemaining() const {
    return fReading ? static_cast<uint32>(fBytes.size() - fPosition) : 0;
}

void MemoryStream::Note(int bits, bool real, int64 integer, double value) {
    if (fRecording)
        fTransfers.push_back({bits, real, integer, value});
}

std::vector<std::string> MemoryStream::TransferLog() const {
    std::vector<std::string> log;
    for (const StreamTransfer& t : fTransfers)
        log.push_back(t.ToString());
    return log;
}

} // namespace host
