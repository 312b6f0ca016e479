// Bounds-checked little-endian reading for the resource decoders. A read past
// the end fails the reader for good and yields zeros, so a decoder can read a
// whole record and check Ok() once at the end.
#pragma once

#include "SDKTypes.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace host::detail {

class ByteReader {
public:
    ByteReader(const uint8* data, std::size_t size) : fData(data), fSize(size) {}
    explicit ByteReader(const std::vector<uint8>& bytes) : ByteReader(bytes.data(), bytes.size()) {}

    bool Ok() const { return !fFailed; }
    // Whole record read and nothing left over: every record has an exact size.
    bool Done() const { return !fFailed && fPos == fSize; }
    std::size_t Remaining() const { return fFailed ? 0 : fSize - fPos; }
    std::size_t Position() const { return fPos; }
    void Fail() { fFailed = true; }

    uint8 U8() { return static_cast<uint8>(Unsigned(1)); }
    uint16 U16() { return static_cast<uint16>(Unsigned(2)); }
    uint32 U32() { return static_cast<uint32>(Unsigned(4)); }
    uint64_t U64() { return Unsigned(8); }
    int32 I32() { return static_cast<int32>(U32()); }
    double F64() {
        const uint64_t bits = U64();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // The pointer to the next n bytes, or nullptr (and failed) if fewer remain.
    const uint8* Take(std::size_t n) {
        if (fFailed || n > fSize - fPos) {
            fFailed = true;
            return nullptr;
        }
        const uint8* p = fData + fPos;
        fPos += n;
        return p;
    }

    // A resource string: u32 1, u16 byte length, the bytes (no terminator).
    std::string String() {
        if (U32() != 1)
            fFailed = true;
        const uint16 length = U16();
        const uint8* p = Take(length);
        return p ? std::string(reinterpret_cast<const char*>(p), length) : std::string();
    }

    // Whether `count` items of at least `minSize` bytes each can still follow;
    // fails the reader if not, so a damaged count never drives a long loop.
    bool CountFits(uint64_t count, std::size_t minSize) {
        if (fFailed || (minSize != 0 && count > Remaining() / minSize))
            fFailed = true;
        return !fFailed;
    }

private:
    uint64_t Unsigned(std::size_t width) {
        const uint8* p = Take(width);
        uint64_t value = 0;
        if (p)
            for (std::size_t i = 0; i < width; ++i)
                value |= static_cast<uint64_t>(p[i]) << (8 * i);
        return value;
    }

    const uint8* fData;
    std::size_t fSize;
    std::size_t fPos = 0;
    bool fFailed = false;
};

} // namespace host::detail
