// Little-endian byte building for resource records.
#pragma once

#include "SDKTypes.h"

#include <cstring>
#include <string>
#include <vector>

namespace rescomp {

using Bytes = std::vector<uint8>;

// Converts UTF-8 source text to the Windows-1252 bytes resources carry; throws
// std::runtime_error for a character the code page lacks.
std::string ToWindows1252(const std::string& utf8);
// Converts UTF-8 source text to UTF-16 code units (Windows version strings).
std::u16string ToUtf16(const std::string& utf8);

class ByteWriter {
public:
    ByteWriter& U8(uint8 v) {
        fBytes.push_back(v);
        return *this;
    }
    ByteWriter& U16(uint16 v) { return Unsigned(v, 2); }
    ByteWriter& U32(uint32 v) { return Unsigned(v, 4); }
    ByteWriter& I32(int32 v) { return U32(static_cast<uint32>(v)); }
    ByteWriter& F64(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return Unsigned(bits, 8);
    }
    ByteWriter& Raw(const Bytes& b) {
        fBytes.insert(fBytes.end(), b.begin(), b.end());
        return *this;
    }
    ByteWriter& Raw(const std::string& s) {
        fBytes.insert(fBytes.end(), s.begin(), s.end());
        return *this;
    }
    // A resource string: u32 1, u16 byte length, Windows-1252 bytes, no terminator.
    ByteWriter& String(const std::string& utf8);
    // Zero bytes up to the next multiple of `n` from the start.
    ByteWriter& Align(std::size_t n) {
        while (fBytes.size() % n != 0)
            fBytes.push_back(0);
        return *this;
    }
    void PatchU16(std::size_t at, uint16 v) {
        fBytes[at] = static_cast<uint8>(v);
        fBytes[at + 1] = static_cast<uint8>(v >> 8);
    }

    std::size_t Size() const { return fBytes.size(); }
    const Bytes& Get() const& { return fBytes; }
    Bytes Take() { return std::move(fBytes); }

private:
    ByteWriter& Unsigned(uint64_t v, int width) {
        for (int i = 0; i < width; ++i)
            fBytes.push_back(static_cast<uint8>(v >> (8 * i)));
        return *this;
    }

    Bytes fBytes;
};

} // namespace rescomp
